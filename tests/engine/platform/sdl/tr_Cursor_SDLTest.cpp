// The cursor's SDL part under a real video driver (Xvfb in the test run):
// content's cursor ids become SDL system cursors, engine mode hides the
// pointer, system mode shows the current shape's cursor.
#include "engine/platform/sdl/tr_Cursor_SDL.h"

#include "engine/host/tr_EngineServices.h"
#include "engine/platform/sdl/Tarrow_SDL.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class CursorSdlTest : public ::testing::Test {
protected:
    // Held for the whole program, as the host tests do: unloading the video
    // driver between tests confuses the leak checker.
    static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_VIDEO); }

    void SetUp() override {
        ASSERT_TRUE(SDL_WasInit(SDL_INIT_VIDEO)) << SDL_GetError();
        SDL_ShowCursor(SDL_ENABLE);
    }

    static bool PointerShown() { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }
};

TEST_F(CursorSdlTest, ContentIdsMapToSharedSystemCursors) {
    tr_Cursor_SDL cursor;
    const int arrow = cursor.AddShape("", 0, 0, 32512);
    const int size_all = cursor.AddShape("", 0, 0, 32646);
    const int hand = cursor.AddShape("", 0, 0, 32649);
    const int other_hand = cursor.AddShape("", 0, 0, 32649);
    const int unknown = cursor.AddShape("", 0, 0, 12345);
    const int none = cursor.AddShape("", 0, 0, 0);

    const tr_SystemCursor handles[] = {cursor.GetShape(arrow)->system_cursor,
                                       cursor.GetShape(size_all)->system_cursor,
                                       cursor.GetShape(hand)->system_cursor};
    for (tr_SystemCursor handle : handles)
        EXPECT_NE(handle, 0u);
    EXPECT_NE(handles[0], handles[1]);
    EXPECT_NE(handles[1], handles[2]);
    EXPECT_EQ(cursor.GetShape(other_hand)->system_cursor, handles[2]);
    EXPECT_EQ(cursor.GetShape(unknown)->system_cursor, 0u);
    EXPECT_EQ(cursor.GetShape(none)->system_cursor, 0u);
}

TEST_F(CursorSdlTest, EngineModeHidesThePointerAndSystemModeShowsTheShapesCursor) {
    {
        tr_Cursor_SDL cursor;
        const int arrow = cursor.AddShape("", 0, 0, 32512);
        const int hand = cursor.AddShape("", 0, 0, 32649);
        cursor.SetCurrent(arrow);
        EXPECT_FALSE(PointerShown());

        cursor.SetSystemMode(true);
        EXPECT_TRUE(PointerShown());
        EXPECT_EQ(reinterpret_cast<tr_SystemCursor>(SDL_GetCursor()),
                  cursor.GetShape(arrow)->system_cursor);
        cursor.SetCurrent(hand);
        EXPECT_EQ(reinterpret_cast<tr_SystemCursor>(SDL_GetCursor()),
                  cursor.GetShape(hand)->system_cursor);

        cursor.SetSystemMode(false);
        EXPECT_FALSE(PointerShown());
        cursor.SetPosition(4, 4);
        EXPECT_FALSE(PointerShown());
    }
    // Gone: the pointer is back, on SDL's own cursor, not a freed one.
    EXPECT_TRUE(PointerShown());
    EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
}

TEST_F(CursorSdlTest, TheWindowedEngineRunsTheSdlCursorThroughItsServices) {
    // Log lines go to the log file in the user folder: keep it out of $HOME.
    setenv("XDG_DATA_HOME", ::testing::TempDir().c_str(), 1);
    {
        Tarrow_SDL engine;
        engine.SetServices(tr_MakeEngineServices()); // picks the SDL cursor itself
        ASSERT_TRUE(engine.Init(0, 0, 320, 240, false, "Tarrow cursor test"));
        auto* cursor = dynamic_cast<tr_Cursor_SDL*>(tr_Cursor::Get());
        ASSERT_NE(cursor, nullptr);
        cursor->SetCurrent(cursor->AddShape("", 0, 0, 32649));
        EXPECT_FALSE(PointerShown());

        SDL_Event leave{};
        leave.type = SDL_WINDOWEVENT;
        leave.window.windowID = SDL_GetWindowID(engine.GetWindow());
        leave.window.event = SDL_WINDOWEVENT_LEAVE;
        ASSERT_EQ(SDL_PushEvent(&leave), 1) << SDL_GetError();
        engine.SetFrameLimit(engine.GetFrameCount() + 2);
        engine.Run();
        EXPECT_TRUE(cursor->IsOutside());
        engine.Release();
        EXPECT_EQ(tr_Cursor::Get(), nullptr);
    }
    EXPECT_TRUE(PointerShown());
}

} // namespace
