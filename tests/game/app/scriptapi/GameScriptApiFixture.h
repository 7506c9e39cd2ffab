// Fixture of the game script function tests: a mediator, the engine core
// (fresh for every test) whose Lua state has the engine's and the game's
// functions, a stand-in engine whose toggle hook and close requests are
// recorded, the configuration and settings records, and the log lines
// written meanwhile. Listener answers messages the way the application and
// the level would.
#pragma once

#include "engine/core/Tarrow.h"
#include "engine/scene/tr_EngineCore.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_Listener.h"
#include "engine/script/tr_Mediator.h"
#include "engine/script/tr_MediatorDataTable.h"
#include "engine/script/tr_ScriptState.h"
#include "game/app/tp_Config.h"
#include "game/app/tp_GameScriptApi.h"
#include "game/app/tp_Settings.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Records every message of the ids it subscribes to and lets a test write
// replies into the table before the sender reads it.
class Listener : public tr_Listener {
public:
    using Reply = std::function<void(int id, tr_MediatorDataTable& data)>;

    explicit Listener(std::vector<int> ids, Reply reply = nullptr) : reply_(std::move(reply)) {
        for (int id : ids)
            tr_Mediator::Get()->Subscribe(id, this);
    }
    void OnMessage(int id, tr_MediatorDataTable& data) override {
        if (reply_)
            reply_(id, data);
        heard.emplace_back(id, data);
    }
    // The last table heard with id; fails the test when none was.
    tr_MediatorDataTable Last(int id) const {
        for (auto it = heard.rbegin(); it != heard.rend(); ++it)
            if (it->first == id)
                return it->second;
        ADD_FAILURE() << "message " << id << " was not sent";
        return tr_MediatorDataTable();
    }
    int Count(int id) const {
        int count = 0;
        for (const auto& entry : heard)
            count += entry.first == id ? 1 : 0;
        return count;
    }
    static int Int(const tr_MediatorDataTable& data, const char* key) {
        const tr_MediatorData* value = data.Find(key);
        EXPECT_NE(value, nullptr) << key;
        return value ? value->GetInt() : -12345;
    }
    static std::string Text(const tr_MediatorDataTable& data, const char* key) {
        const tr_MediatorData* value = data.Find(key);
        EXPECT_NE(value, nullptr) << key;
        return value ? value->GetString() : "<missing>";
    }

    std::vector<std::pair<int, tr_MediatorDataTable>> heard;

private:
    Reply reply_;
};

// The engine object without a host: Run does nothing; close requests count.
class RecordingEngine : public Tarrow {
public:
    void Run() override {}
    void RequestClose() override { ++close_requests; }
    int close_requests = 0;
};

// What the toggle hook was asked; the hook answers with `answer`.
struct ToggleRecord {
    static inline std::vector<bool> asked;
    static inline bool answer = true;
    static bool Hook(bool fullscreen) {
        asked.push_back(fullscreen);
        return answer;
    }
};

class GameScriptApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        mediator_.Subscribe(3, &log_);
        engine = new RecordingEngine();
        config = tp_Config::Create();
        settings = tp_Settings::Create(*config);
        L = tr_EngineCore::Get()->GetScript().GetLua();
        ASSERT_NE(L, nullptr);
        tp_RegisterGameScriptApi(L);
        ToggleRecord::asked.clear();
        ToggleRecord::answer = true;
    }
    void TearDown() override {
        tr_EngineCore::Destroy();
        tp_Settings::Destroy();
        tp_Config::Destroy();
        delete engine;
        mediator_.Unsubscribe(&log_);
    }

    tr_Scene& Scene() { return tr_EngineCore::Get()->GetScene(); }

    // A new object of the base type under parent (the display root by default).
    tr_Object* Add(const std::string& name, tr_Object* parent = nullptr) {
        auto* object = new tr_Object(name);
        tr_Object::Attach(parent ? parent : Scene().GetDisplayRoot(), object);
        return object;
    }

    // Runs code; fails the test with the Lua message when it raises.
    void Run(const std::string& code) {
        const int top = lua_gettop(L);
        if (luaL_dostring(L, code.c_str()) != 0)
            ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
        lua_settop(L, top);
    }
    // The value of expression in its Lua text form (tostring).
    std::string Eval(const std::string& expression) {
        const int top = lua_gettop(L);
        std::string result = "<error>";
        const std::string code = "return tostring(" + expression + ")";
        if (luaL_dostring(L, code.c_str()) == 0 && lua_isstring(L, -1))
            result = lua_tostring(L, -1);
        else
            ADD_FAILURE() << "Lua error in: " << expression << " "
                          << (lua_isstring(L, -1) ? lua_tostring(L, -1) : "");
        lua_settop(L, top);
        return result;
    }
    double Number(const std::string& expression) { return std::stod(Eval(expression)); }

    // How many log lines begin with prefix.
    int LoggedStartingWith(const std::string& prefix) const {
        int count = 0;
        for (const auto& entry : log_.heard)
            count += Listener::Text(entry.second, "message").rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }

    lua_State* L = nullptr;
    RecordingEngine* engine = nullptr;
    tp_Config* config = nullptr;
    tp_Settings* settings = nullptr;

private:
    tr_Mediator mediator_;
    Listener log_{{}};
};
