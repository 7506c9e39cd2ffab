// The engine core's update and input paths: event triggers run at the next
// update with their object as sender, the synthesised mouse move comes before
// the trigger queue, mouse events move the cursor first.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_Trigger.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

namespace {

class EngineCoreTest : public ::testing::Test {
protected:
    void TearDown() override { tr_EngineCore::Destroy(); }

    tr_EngineCore& Core() { return *tr_EngineCore::Get(); }
    void AddTrigger(const std::string& name, const std::string& code) {
        Core().GetTriggers().AddTrigger(std::make_unique<tr_Trigger>(name, code));
    }
    std::string Global(const std::string& name) {
        std::string value;
        return Core().GetScript().GetGlobalString(name, value) ? value : "<nil>";
    }
    // A plain object in the display tree taking input over (0,0)-(100,100).
    tr_Object* AddTarget(const std::string& name) {
        auto* object = new tr_Object(name);
        object->SetInputRect(tr_Rect{0.0f, 0.0f, 100.0f, 100.0f});
        tr_Object::Attach(Core().GetScene().GetDisplayRoot(), object);
        return object;
    }
    void Send(int type, float x, float y) {
        tr_InputEvent event;
        event.type = type;
        event.key = TR_MOUSE_KEY;
        event.x = x;
        event.y = y;
        Core().Input(&event);
    }
    void Frame() {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = 1.0f / 60.0f;
        Core().Update(&frame);
    }

    LogCapture log;
};

TEST_F(EngineCoreTest, OwnsTheScriptStateAndTheInstalledTriggerQueue) {
    tr_EngineCore& core = Core();
    EXPECT_NE(core.GetScript().GetLua(), nullptr);
    EXPECT_EQ(tr_CallQueue::Installed(), &core.GetTriggers());
    EXPECT_EQ(&core.GetTriggers().GetScript(), &core.GetScript());
    tr_EngineCore::Destroy();
    EXPECT_EQ(tr_CallQueue::Installed(), nullptr);
    EXPECT_EQ(tr_EngineCore::GetIfCreated(), nullptr);
}

TEST_F(EngineCoreTest, MouseDownTriggerRunsAtTheNextUpdateWithItsObjectAsSender) {
    AddTrigger("trg_press", "pressed_by = tr_params.sender; presses = (presses or 0) + 1");
    AddTarget("button")->SetEventCode(TR_EVENT_MDOWN, "trg_press");
    Send(TR_EVENT_MOUSE_DOWN, 50.0f, 50.0f);
    EXPECT_EQ(Global("presses"), "<nil>");
    EXPECT_EQ(Core().GetTriggers().GetQueueSize(), 1u);
    Frame();
    EXPECT_EQ(Global("presses"), "1");
    EXPECT_EQ(Global("pressed_by"), "button");
    Frame();
    EXPECT_EQ(Global("presses"), "1");
}

TEST_F(EngineCoreTest, EachQueuedCallRunsAtTheFirstUpdateAfterIt) {
    AddTrigger("trg_second", "second = (second or 0) + 1");
    AddTrigger("trg_first", "first = 1");
    // A mouse up between two frames queues the second call for the next one.
    tr_Object* object = AddTarget("chain");
    object->SetEventCode(TR_EVENT_MUP, "trg_second");
    Core().GetTriggers().QueueCall("chain", "trg_first");
    Frame();
    EXPECT_EQ(Global("first"), "1");
    Send(TR_EVENT_MOUSE_UP, 10.0f, 10.0f);
    EXPECT_EQ(Global("second"), "<nil>");
    Frame();
    EXPECT_EQ(Global("second"), "1");
}

TEST_F(EngineCoreTest, MouseEventsMoveTheCursorFirstTruncated) {
    tr_Cursor_Headless cursor;
    Send(TR_EVENT_MOUSE_MOVE, 12.9f, 7.2f);
    EXPECT_FLOAT_EQ(cursor.GetX(), 12.0f);
    EXPECT_FLOAT_EQ(cursor.GetY(), 7.0f);
    Send(TR_EVENT_MOUSE_DOWN, -3.7f, 400.5f);
    EXPECT_FLOAT_EQ(cursor.GetX(), -3.0f);
    EXPECT_FLOAT_EQ(cursor.GetY(), 400.0f);
    Send(TR_EVENT_MOUSE_UP, 5.0f, 6.0f);
    EXPECT_FLOAT_EQ(cursor.GetX(), 5.0f);

    // Keys and mouse-leave leave the cursor where it is.
    Send(TR_EVENT_MOUSE_LEAVE, 99.0f, 99.0f);
    Send(TR_EVENT_KEY_DOWN, 77.0f, 77.0f);
    EXPECT_FLOAT_EQ(cursor.GetX(), 5.0f);
    EXPECT_FLOAT_EQ(cursor.GetY(), 6.0f);

    // A coordinate no int can hold is clamped, not converted blindly.
    Send(TR_EVENT_MOUSE_MOVE, std::numeric_limits<float>::infinity(),
         std::numeric_limits<float>::quiet_NaN());
    EXPECT_GT(cursor.GetX(), 1.0e8f);
    EXPECT_FLOAT_EQ(cursor.GetY(), 0.0f);
}

TEST_F(EngineCoreTest, HoverUnderAStillCursorRunsInTheSameUpdate) {
    tr_Cursor_Headless cursor;
    Send(TR_EVENT_MOUSE_MOVE, 30.0f, 30.0f);
    AddTrigger("trg_enter", "entered_by = tr_params.sender");
    // The object appears under the cursor without the mouse moving: the
    // synthesised move finds it before the trigger queue runs.
    AddTarget("appearing")->SetEventCode(TR_EVENT_MENTER, "trg_enter");
    Frame();
    EXPECT_EQ(Global("entered_by"), "appearing");
}

TEST_F(EngineCoreTest, NullArgumentsAreIgnored) {
    AddTrigger("trg_any", "ran = 1");
    Core().GetTriggers().QueueCall("x", "trg_any");
    Core().Input(nullptr);
    Core().Update(nullptr);
    EXPECT_EQ(Global("ran"), "1");
    Core().Draw(nullptr);
}

} // namespace
