// tp_RegisterBuiltinWidgets: plugs every built-in widget class into the
// interface hub's type table (tp_Interface::SetBuiltinCreator), so that
// Command_Interface_WidgetAdd builds them. The game calls it once at start-up
// beside the level's object types, before any level (and so any hub) exists;
// tests call it for themselves. A widget class joins the game with one line
// in tp_BuiltinWidgets.cpp, or, when it only forwards messages to its module,
// with one row in the table of tp_ForwardingWidget.cpp.
#pragma once

void tp_RegisterBuiltinWidgets();
