// The development mode's error panel: which log lines it keeps, how it
// counts repeats and forgets old lines, and that it shows them over a shade.
#include "engine/objects/tr_DevOverlay.h"

#include "engine/core/tr_Log.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include "FontTestSupport.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class DevOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        render.Init(1024, 768);
        render.SetRecording(true);
    }

    LogCapture log; // makes the mediator the overlay listens to
    tr_ResourceRegistry registry;
    tr_Render_Null render;
};

struct KeptCase {
    const char* label;
    std::vector<std::string> logged;
    std::vector<std::string> shown;
};

TEST_F(DevOverlayTest, KeepsTheLastErrorsAndWarnings) {
    const std::string many[] = {"Error: 1", "Error: 2", "Error: 3", "Error: 4",
                                "Error: 5", "Error: 6", "Error: 7", "Error: 8"};
    const KeptCase cases[] = {
        {"only errors and warnings",
         {"Display mode: 1024x768", "Error: a.xml:3: boom", "demo: hello", "Warning: module x"},
         {"Error: a.xml:3: boom", "Warning: module x"}},
        {"a line repeated at once counts up",
         {"Error: same", "Error: same", "Error: same", "Warning: other", "Error: same"},
         {"Error: same (3 times)", "Warning: other", "Error: same"}},
        {"the oldest go first", {many, many + 8}, {many + 2, many + 8}},
        {"the line break some callers leave is dropped",
         {"Warning: SetCursor try set cursor to nil!\n"},
         {"Warning: SetCursor try set cursor to nil!"}},
        {"an over-long line is cut",
         {"Error: " + std::string(400, 'x')},
         {"Error: " + std::string(tr_DevOverlay::kMaxLineLength - 10, 'x') + "..."}},
    };
    for (const KeptCase& c : cases) {
        tr_DevOverlay overlay(kFontBase);
        for (const std::string& line : c.logged)
            tr_Log("%s", line.c_str());
        EXPECT_EQ(overlay.GetLines(), c.shown) << c.label;
    }
}

TEST_F(DevOverlayTest, ShowsItsLinesOverAShadeAndHidesWhenCleared) {
    tr_DevOverlay overlay(kFontBase);
    overlay.LoadResources();
    overlay.Update(tr_FrameInfo());
    EXPECT_FALSE(overlay.IsVisible());
    EXPECT_FALSE(overlay.IsInputEnabled());

    tr_Log("Error: trigger trg_x try to execute - lua error: levels/a.xml:12: oops");
    EXPECT_FALSE(overlay.IsVisible()) << "laid out at the next update, not inside the log call";
    overlay.Update(tr_FrameInfo());
    EXPECT_TRUE(overlay.IsVisible());
    EXPECT_EQ(overlay.GetText(),
              "Error: trigger trg_x try to execute - lua error: levels/a.xml:12: oops");
    ASSERT_FALSE(overlay.GetRendered().IsEmpty());

    render.BeginFrame();
    render.BeginDraw();
    overlay.Draw(&render, tr_Object::ComputeDrawState(&overlay, tr_DrawState(), 0));
    render.EndDraw();
    render.EndFrame();
    const auto& draws = render.GetRecordedDraws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].texture, render.GetBlackTexture().get());
    EXPECT_LT(draws[0].state.alpha, 1.0f);
    EXPECT_EQ(draws[1].texture, overlay.GetRendered().texture.get());

    overlay.Clear();
    overlay.Update(tr_FrameInfo());
    EXPECT_FALSE(overlay.IsVisible());
    EXPECT_TRUE(overlay.GetLines().empty());
}

} // namespace
