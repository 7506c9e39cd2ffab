// Fixture of the game script function tests: the engine script function
// fixture (mediator, fresh engine core, log lines) with the game's functions
// registered too, a stand-in engine whose toggle hook and close requests are
// recorded, and the configuration and settings records. Listener answers
// messages the way the application and the level would.
#pragma once

#include "tests/engine/script/api/ScriptApiFixture.h"

#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/host/Tarrow.h"
#include "game/app/tp_GameScriptApi.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Settings.h"

#include <gtest/gtest.h>

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

class GameScriptApiTest : public ScriptApiTest {
protected:
    void SetUp() override {
        ScriptApiTest::SetUp();
        engine = new RecordingEngine();
        config = tp_Config::Create();
        settings = tp_Settings::Create(*config);
        tp_RegisterGameScriptApi(L);
        ToggleRecord::asked.clear();
        ToggleRecord::answer = true;
    }
    void TearDown() override {
        tp_Settings::Destroy();
        tp_Config::Destroy();
        delete engine;
        ScriptApiTest::TearDown();
    }

    double Number(const std::string& expression) { return std::stod(Eval(expression)); }

    // How many log lines begin with prefix.
    int LoggedStartingWith(const std::string& prefix) const {
        int count = 0;
        for (const std::string& line : log.lines)
            count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }

    RecordingEngine* engine = nullptr;
    tp_Config* config = nullptr;
    tp_Settings* settings = nullptr;
};
