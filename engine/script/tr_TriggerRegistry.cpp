#include "engine/script/tr_TriggerRegistry.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_Trigger.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <cstdio>
#include <utility>

namespace {

const char* const kParamsGlobal = "tr_params";
const char* const kTempGlobal = "tr_temp_eq";

std::string Trim(const std::string& text) {
    const char* const blanks = " \t\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

tr_TriggerRegistry::tr_TriggerRegistry(tr_ScriptState& script) : script_(script) {
    tr_CallQueue::Install(this);
}

tr_TriggerRegistry::~tr_TriggerRegistry() {
    if (tr_CallQueue::Installed() == this)
        tr_CallQueue::Install(nullptr);
}

bool tr_TriggerRegistry::AddTrigger(std::unique_ptr<tr_Trigger> trigger) {
    if (!trigger)
        return false;
    const std::string name = trigger->GetName();
    const auto taken = triggers_.find(name);
    if (taken != triggers_.end()) {
        const tr_ScriptSource& old_source = taken->second->GetSource();
        if (!replace_own_ || !old_source.IsKnown() ||
            old_source.GetFile() != trigger->GetSource().GetFile())
            return false;
        // A running trigger stays alive through its caller's share.
        triggers_.erase(taken);
    }
    trigger->BindScript(&script_);
    triggers_.emplace(name, std::shared_ptr<tr_Trigger>(std::move(trigger)));
    return true;
}

tr_Trigger* tr_TriggerRegistry::FindTrigger(const std::string& name) const {
    const auto found = triggers_.find(name);
    return found == triggers_.end() ? nullptr : found->second.get();
}

bool tr_TriggerRegistry::DeleteTrigger(const std::string& name) {
    return triggers_.erase(name) > 0;
}

std::vector<std::string> tr_TriggerRegistry::SplitArguments(const std::string& text) {
    std::vector<std::string> pieces;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (depth > 0)
                --depth;
        } else if (c == ',' && depth == 0) {
            pieces.push_back(Trim(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    // An unclosed parenthesis swallows the rest of the text.
    if (depth == 0)
        pieces.push_back(Trim(text.substr(start)));
    return pieces;
}

bool tr_TriggerRegistry::Prepare(const std::string& sender, const std::string& code,
                                 std::shared_ptr<tr_MediatorDataTable> table,
                                 tr_TriggerCall& call) const {
    if (code.empty())
        return false;
    const size_t open = code.find('(');
    const std::string name = code.substr(0, open);
    if (!FindTrigger(name)) {
        if (code[0] == '*') {
            call.is_inline = true;
            call.inline_code = code.substr(1);
            call.sender = sender;
            call.table = std::move(table);
            return true;
        }
        tr_Log("Error: object %s try to call trigger %s - no such trigger", sender.c_str(),
               name.c_str());
        return false;
    }
    if (open != std::string::npos) {
        const size_t close = code.rfind(')');
        // A ")" only before the "(" closes nothing either.
        if (close == std::string::npos || close < open)
            return false;
        call.arguments = code.substr(open + 1, close - open - 1);
    }
    call.trigger_name = name;
    call.sender = sender;
    call.table = std::move(table);
    return true;
}

bool tr_TriggerRegistry::QueueCall(const std::string& sender, const std::string& code) {
    return QueueCall(sender, code, nullptr);
}

bool tr_TriggerRegistry::QueueCall(const std::string& sender, const std::string& code,
                                   std::shared_ptr<tr_MediatorDataTable> table) {
    tr_TriggerCall call;
    if (!Prepare(sender, code, std::move(table), call))
        return false;
    queue_.push_back(std::move(call));
    return true;
}

bool tr_TriggerRegistry::CallNow(const std::string& sender, const std::string& code,
                                 std::shared_ptr<tr_MediatorDataTable> table) {
    tr_TriggerCall call;
    if (!Prepare(sender, code, std::move(table), call))
        return false;
    Execute(call);
    return true;
}

void tr_TriggerRegistry::RunQueue() {
    if (queue_.empty())
        return;
    std::vector<tr_TriggerCall> running;
    running.swap(queue_);
    for (const tr_TriggerCall& call : running)
        Execute(call);
}

void tr_TriggerRegistry::BuildParams(const tr_TriggerCall& call) {
    lua_State* lua = script_.GetLua();
    if (!lua)
        return;
    const tr_TriggerCall* const outer_building = building_;
    building_ = &call;
    const int top = lua_gettop(lua);
    lua_newtable(lua);
    const int params = lua_gettop(lua);
    if (!call.arguments.empty()) {
        const std::vector<std::string> pieces = SplitArguments(call.arguments);
        char key[32];
        for (size_t i = 0; i < pieces.size(); ++i) {
            std::snprintf(key, sizeof key, "param_%zu", i);
            const std::string& piece = pieces[i];
            lua_pushlstring(lua, piece.data(), piece.size());
            lua_setfield(lua, params, key);
            if (piece.empty() || piece[0] != '~')
                continue;
            const std::string chunk =
                std::string("_G[\"") + kTempGlobal + "\"]=" + piece.substr(1) + ";";
            std::string error;
            if (script_.RunChunk(chunk, chunk, &error) && script_.PushGlobal(kTempGlobal, &error)) {
                lua_setfield(lua, params, key);
            } else {
                lua_settop(lua, params);
                tr_Log("Error: trigger %s try to use params - bad params: %s",
                       call.trigger_name.c_str(), error.c_str());
            }
        }
    }
    if (call.table) {
        call.table->PushToLua(lua);
        lua_setfield(lua, params, "table");
    }
    lua_pushlstring(lua, call.sender.data(), call.sender.size());
    lua_setfield(lua, params, "sender");
    std::string error;
    if (!script_.SetGlobalFromTop(kParamsGlobal, &error)) {
        tr_Log("Error: trigger %s try to use params - bad params: %s", call.trigger_name.c_str(),
               error.c_str());
    }
    lua_settop(lua, top);
    building_ = outer_building;
}

void tr_TriggerRegistry::Execute(const tr_TriggerCall& call) {
    // Resolved now, not when queued: the trigger may have been deleted since.
    // Holding it keeps it alive should its own code delete it.
    std::shared_ptr<tr_Trigger> trigger;
    if (!call.is_inline) {
        const auto found = triggers_.find(call.trigger_name);
        if (found == triggers_.end()) {
            tr_Log("Error: object %s try to call trigger %s - no such trigger", call.sender.c_str(),
                   call.trigger_name.c_str());
            return;
        }
        trigger = found->second;
    }
    stack_.push_back(&call);
    BuildParams(call);
    if (trigger) {
        trigger->Execute();
    } else {
        std::string error;
        if (!script_.RunChunk(call.inline_code, call.inline_code, &error)) {
            tr_Log("Error: object %s try to execute code at event - lua error: %s",
                   call.sender.c_str(), error.c_str());
        }
    }
    stack_.pop_back();
    // A call made while a "~" argument of the record on top was being
    // evaluated leaves that record's build to finish and assign its table;
    // rebuilding it here would evaluate the argument again, and with it the
    // nested call, over and over.
    if (!stack_.empty() && stack_.back() != building_)
        BuildParams(*stack_.back());
}
