// Shared pieces of the level and room tests: a stand-in for the application
// that answers AppGetWidth and records what rooms and the level announce,
// and a fixture that installs a mediator, a recording call queue and the
// null renderer for each test.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "game/core/tp_Messages.h"
#include "tests/engine/scene/SceneTestDoubles.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// Answers AppGetWidth with width; keeps a copy of every message it hears.
class AppStand : public tr_Listener {
public:
    explicit AppStand(float layout_width) : width(layout_width) {
        for (int id : {int(AppGetWidth), int(Command_FrameSubroom_Show), int(SubRoomTransform),
                       int(Event_Level_CheatKeyPressed)})
            tr_Mediator::Get()->Subscribe(id, this);
    }
    void OnMessage(int id, tr_MediatorDataTable& data) override {
        if (id == AppGetWidth)
            data.SetFloat("width", width);
        heard.emplace_back(id, data);
    }
    std::vector<tr_MediatorDataTable> Heard(int id) const {
        std::vector<tr_MediatorDataTable> found;
        for (const auto& entry : heard)
            if (entry.first == id)
                found.push_back(entry.second);
        return found;
    }

    float width;
    std::vector<std::pair<int, tr_MediatorDataTable>> heard;
};

class LevelTestBase : public ::testing::Test {
protected:
    LevelTestBase() { render.Init(1366.0f, 768.0f); }

    // A plain texture of that size, as a room's picture.
    static std::shared_ptr<tr_GeneratedTexture> Picture(int width, int height) {
        auto texture = std::make_shared<tr_GeneratedTexture>();
        EXPECT_TRUE(texture->Create(width, height));
        return texture;
    }

    // The codes queued so far with that sender, in order.
    std::vector<std::string> QueuedBy(const std::string& sender) const {
        std::vector<std::string> codes;
        for (const auto& call : queue.calls)
            if (call.first == sender)
                codes.push_back(call.second);
        return codes;
    }

    static float Float(const tr_MediatorDataTable& table, const char* key) {
        const tr_MediatorData* value = table.Find(key);
        EXPECT_NE(value, nullptr) << key;
        return value ? value->GetFloat() : -1.0f;
    }

    tr_Mediator mediator;
    RecordingQueue queue;
    tr_Render_Null render;
    AppStand app{1366.0f};
};
