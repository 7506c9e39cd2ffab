// Fixture for the engine script function tests: the engine core (fresh for
// every test) with its scene, trigger registry and Lua state, which has the
// standard libraries and the engine's functions; and the log lines written
// meanwhile.
#pragma once

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_ScriptState.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <string>
#include <vector>

class LogLines : public tr_Listener {
public:
    void OnMessage(int, tr_MediatorDataTable& data) override {
        lines.push_back(data.Get("message")->GetString());
    }
    bool Contains(const std::string& line) const {
        for (const std::string& logged : lines)
            if (logged == line)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

class ScriptApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        mediator_.Subscribe(3, &log);
        L = tr_EngineCore::Get()->GetScript().GetLua();
        ASSERT_NE(L, nullptr);
    }
    void TearDown() override {
        tr_EngineCore::Destroy();
        mediator_.Unsubscribe(&log);
    }

    tr_Scene& Scene() { return tr_EngineCore::Get()->GetScene(); }

    // A new object of the base type under parent (the display root by default).
    tr_Object* Add(const std::string& name, tr_Object* parent = nullptr) {
        return AddOwned(new tr_Object(name), parent);
    }
    template <class T> T* AddOwned(T* object, tr_Object* parent = nullptr) {
        tr_Object::Attach(parent ? parent : Scene().GetDisplayRoot(), object);
        return object;
    }

    // Runs code; fails the test with the Lua message when it raises.
    void Run(const std::string& code) {
        const int top = lua_gettop(L);
        if (luaL_dostring(L, code.c_str()) != 0) {
            ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
        }
        lua_settop(L, top);
    }
    // The value of "return <expression>" in its Lua text form (tostring).
    std::string Eval(const std::string& expression) {
        const int top = lua_gettop(L);
        std::string result = "<error>";
        const std::string code = "return tostring(" + expression + ")";
        if (luaL_dostring(L, code.c_str()) == 0 && lua_isstring(L, -1)) {
            result = lua_tostring(L, -1);
        } else {
            ADD_FAILURE() << "Lua error in: " << expression << " "
                          << (lua_isstring(L, -1) ? lua_tostring(L, -1) : "");
        }
        lua_settop(L, top);
        return result;
    }

    lua_State* L = nullptr;
    LogLines log;

private:
    tr_Mediator mediator_;
};
