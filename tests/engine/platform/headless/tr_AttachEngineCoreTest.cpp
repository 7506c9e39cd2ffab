// The engine core attached to a headless engine: its frames run the queued
// trigger calls and its input moves the cursor.
#include "engine/host/tr_AttachEngineCore.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/host/tr_InputScript.h"
#include "engine/script/tr_CallQueue.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <memory>

TEST(AttachEngineCoreTest, FramesAndInputReachTheCoreWhileItExists) {
    Tarrow_Headless engine;
    engine.SetServices(tr_MakeEngineServices());
    tr_AttachEngineCore(engine);
    tr_InputScript script;
    ASSERT_TRUE(script.Parse("2 move 30 40\n", "test")) << script.GetError();
    engine.SetInput(script.GetEvents());
    ASSERT_TRUE(engine.Init(0, 0, 640, 480, false, "t"));
    tr_TriggerRegistry& triggers = tr_EngineCore::Get()->GetTriggers();
    ASSERT_TRUE(triggers.AddTrigger(
        std::make_unique<tr_Trigger>("Count", "attached_calls = (attached_calls or 0) + 1")));
    ASSERT_TRUE(tr_QueueObjectCall("test", "Count()"));
    engine.SetFrameLimit(3);
    engine.Run();

    lua_State* L = tr_EngineCore::Get()->GetScript().GetLua();
    lua_getglobal(L, "attached_calls");
    EXPECT_EQ(lua_tonumber(L, -1), 1);
    lua_pop(L, 1);
    ASSERT_NE(tr_Cursor::Get(), nullptr);
    EXPECT_EQ(tr_Cursor::Get()->GetX(), 30.0f);
    EXPECT_EQ(tr_Cursor::Get()->GetY(), 40.0f);

    engine.Release();
    EXPECT_EQ(tr_EngineCore::GetIfCreated(), nullptr);
}
