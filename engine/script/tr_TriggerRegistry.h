// tr_TriggerRegistry: the named triggers, the deferred call queue and the
// stack of calls being executed. Owned by tr_EngineCore (reach it as
// tr_EngineCore::Get()->GetTriggers()); works on the core's tr_ScriptState,
// which must outlive it. While it lives it is the installed tr_CallQueue, so
// scene objects' event code, modifier end code and timers are queued here.
//
// Call forms of event code: "" (nothing), "Name", "Name(arguments)" and
// "*code" (inline Lua). Before each execution the global "tr_params" is
// rebuilt: param_0, param_1, ... (arguments split at top-level commas;
// "~expr" arguments evaluated), "table" (the call's table, when given) and
// "sender". After a nested immediate call the outer call's "tr_params" is
// rebuilt. Queued calls run at the next RunQueue; calls queued while the
// queue runs wait for the one after.
#pragma once

#include "engine/script/tr_CallQueue.h"
#include "engine/script/tr_TriggerCall.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class tr_MediatorDataTable;
class tr_ScriptState;
class tr_Trigger;

class tr_TriggerRegistry : public tr_CallQueue {
public:
    explicit tr_TriggerRegistry(tr_ScriptState& script);
    ~tr_TriggerRegistry() override;
    tr_TriggerRegistry(const tr_TriggerRegistry&) = delete;
    tr_TriggerRegistry& operator=(const tr_TriggerRegistry&) = delete;

    // Takes ownership. When the name is taken, the new trigger is deleted and
    // the registered one stays (the first loaded wins); false then. With
    // SetReplaceOwnTriggers on, a trigger read again from the file the
    // registered one came from replaces it instead (the development mode's
    // reload picks up edited code that way).
    bool AddTrigger(std::unique_ptr<tr_Trigger> trigger);
    void SetReplaceOwnTriggers(bool replace) { replace_own_ = replace; }
    tr_Trigger* FindTrigger(const std::string& name) const;
    // Removes the trigger; a running trigger is kept alive until its call
    // returns. False when no trigger has the name.
    bool DeleteTrigger(const std::string& name);
    size_t GetTriggerCount() const { return triggers_.size(); }

    // Prepares a call and appends it to the queue; false when nothing was
    // queued (empty code, unknown trigger, "(" without ")").
    bool QueueCall(const std::string& sender, const std::string& code) override;
    bool QueueCall(const std::string& sender, const std::string& code,
                   std::shared_ptr<tr_MediatorDataTable> table);
    // Prepares a call and executes it before returning; false when nothing ran.
    bool CallNow(const std::string& sender, const std::string& code,
                 std::shared_ptr<tr_MediatorDataTable> table = nullptr);
    // Runs every call queued before this point, in order.
    void RunQueue();
    // Forgets every queued call (level switch).
    void ClearQueue() { queue_.clear(); }
    size_t GetQueueSize() const { return queue_.size(); }
    // Calls currently executing (0 outside any call).
    size_t GetCallDepth() const { return stack_.size(); }

    tr_ScriptState& GetScript() const { return script_; }

    // The arguments of an argument text split at commas outside parentheses,
    // trimmed (no "~" evaluation). Exposed for tests and tools.
    static std::vector<std::string> SplitArguments(const std::string& text);

private:
    bool Prepare(const std::string& sender, const std::string& code,
                 std::shared_ptr<tr_MediatorDataTable> table, tr_TriggerCall& call) const;
    void Execute(const tr_TriggerCall& call);
    void BuildParams(const tr_TriggerCall& call);

    tr_ScriptState& script_;
    // Shared so that a trigger deleted while it runs stays alive until its
    // Execute returns.
    std::map<std::string, std::shared_ptr<tr_Trigger>> triggers_;
    std::vector<tr_TriggerCall> queue_;
    std::vector<const tr_TriggerCall*> stack_;
    // The record whose "tr_params" is being built right now, if any.
    const tr_TriggerCall* building_ = nullptr;
    bool replace_own_ = false;
};
