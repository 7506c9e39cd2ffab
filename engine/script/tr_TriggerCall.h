// tr_TriggerCall: one prepared call, waiting in the trigger queue or running
// on the call stack. It names its trigger rather than pointing at it: a
// trigger deleted (TrgDelete) after the call was queued, or while it runs,
// leaves nothing dangling; the name is looked up again when the call runs.
// The parameter table is shared with whoever else holds it.
#pragma once

#include <memory>
#include <string>

class tr_MediatorDataTable;

struct tr_TriggerCall {
    // True for "*code" calls: inline_code runs as a chunk, trigger_name is empty.
    bool is_inline = false;
    std::string trigger_name;
    std::string arguments;
    std::string sender;
    std::string inline_code;
    std::shared_ptr<tr_MediatorDataTable> table;
};
