// tp_WidgetTriggers: how interface widgets run Lua triggers. Module message
// and "_init" triggers run at once; everything else is queued for the next
// trigger-queue step. The message data is copied for the call, so a call
// never keeps a pointer into a table its sender owns. Both report false
// when nothing ran or was queued (no trigger runtime, empty code, unknown
// trigger: the runtime logs the last one).
#pragma once

#include <memory>
#include <string>

class tr_MediatorDataTable;

bool tp_CallTriggerNow(const std::string& sender, const std::string& code,
                       const tr_MediatorDataTable* data = nullptr);
bool tp_QueueTrigger(const std::string& sender, const std::string& code,
                     const tr_MediatorDataTable* data = nullptr);
// tp_CallTriggerNow for a table built for this one call: it is handed over
// as it is, without the copy (large tables, such as a row's layout).
bool tp_CallTriggerNowWith(const std::string& sender, const std::string& code,
                           std::shared_ptr<tr_MediatorDataTable> data);

// "trg_" + module + suffix, e.g. tp_ModuleTrigger("int_map", "_set").
std::string tp_ModuleTrigger(const std::string& module, const char* suffix);
// "trg_<module>_message(<id>)".
std::string tp_ModuleMessageCall(const std::string& module, int id);
