// tp_InterfaceScriptGlobals: the Lua globals of the interface: every named
// message number, the widget type constants with InterfaceWidget_Custom and
// InterfaceWidget_Top_Name, and the transporter's transfer types. All are
// plain numbers (one string) set on the one script state; setting them again
// is harmless.
#pragma once

#include <string>

class tr_ScriptState;

void tp_RegisterMessageGlobals(tr_ScriptState& script);
void tp_RegisterWidgetGlobals(tr_ScriptState& script);
void tp_RegisterTopNameGlobal(tr_ScriptState& script, const std::string& top_name);
void tp_RegisterTransferGlobals(tr_ScriptState& script);
