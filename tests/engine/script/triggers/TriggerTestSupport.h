// Shared set-up for the trigger tests: a script state with its own trigger
// registry (installed as the call queue while it lives), the log lines sent
// meanwhile, and a trigger whose Execute runs a C++ function so tests can act
// in the middle of a call.
#pragma once

#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

class NativeTrigger : public tr_Trigger {
public:
    NativeTrigger(std::string name, std::function<void(NativeTrigger&)> body)
        : tr_Trigger(std::move(name), "-- native"), body_(std::move(body)) {}
    void Execute() override { body_(*this); }

private:
    std::function<void(NativeTrigger&)> body_;
};

class TriggerFixture : public ::testing::Test {
protected:
    void Add(const std::string& name, const std::string& code) {
        registry.AddTrigger(std::make_unique<tr_Trigger>(name, code));
    }
    void AddNative(const std::string& name, std::function<void(NativeTrigger&)> body) {
        registry.AddTrigger(std::make_unique<NativeTrigger>(name, std::move(body)));
    }
    // The global as text ("<nil>" when it is neither string nor number).
    std::string Global(const std::string& name) const {
        std::string value;
        return script.GetGlobalString(name, value) ? value : "<nil>";
    }
    // The Lua type name of expression, evaluated now.
    std::string TypeOf(const std::string& expression) {
        EXPECT_TRUE(script.RunChunk("type_result = type(" + expression + ")", "type"));
        return Global("type_result");
    }
    void Run(const std::string& code) { ASSERT_TRUE(script.RunChunk(code, "test")); }

    LogCapture log;
    tr_ScriptState script;
    tr_TriggerRegistry registry{script};
};
