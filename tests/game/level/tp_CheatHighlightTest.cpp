// The level's cheat highlight: Tab toggles it when cheat keys are available;
// it frames input rectangles red or green by whether a mouse-down handler
// exists, makes plain sprites glow, and skips whatever has input off.
#include "LevelFixture.h"

#include "engine/objects/tr_Sprite.h"
#include "game/core/tp_Config.h"
#include "game/level/tp_CheatHighlight.h"

namespace {

// The null renderer, keeping each line's colour as well.
class LineRender : public tr_Render_Null {
public:
    struct Line {
        float x0, y0, x1, y1, red, green;
    };
    void DrawLine(float x0, float y0, float z0, float x1, float y1, float z1, float red,
                  float green, float blue, const tr_DrawState& state) override {
        lines.push_back({x0, y0, x1, y1, red, green});
        tr_Render_Null::DrawLine(x0, y0, z0, x1, y1, z1, red, green, blue, state);
    }
    std::vector<Line> lines;
};

class CheatHighlightTest : public LevelFixture {
protected:
    void SetUp() override {
        LevelFixture::SetUp();
        config = tp_Config::Create();
        config->edition_flags = tp_Config::EDITION_CHEAT;
    }
    void TearDown() override {
        tp_Config::Destroy();
        LevelFixture::TearDown();
    }
    void PressTab() {
        tr_InputEvent key;
        key.type = TR_EVENT_KEY_DOWN;
        key.key = 9;
        level->HandleInput(key, nullptr, tr_DrawState());
    }
    // One drawn frame through the line-keeping renderer.
    void DrawFrame() {
        lines.lines.clear();
        lines.ClearRecordedDraws();
        lines.SetRecording(true);
        tr_EngineCore::Get()->Draw(&lines);
    }
    int GlowsOf(const tr_Texture* texture, float red, float green) const {
        int count = 0;
        for (const auto& draw : lines.GetRecordedDraws())
            if (draw.texture == texture && draw.state.blend == TR_BLEND_ADD &&
                draw.state.red == red && draw.state.green == green)
                ++count;
        return count;
    }

    CountingProfile profile;
    tp_Config* config = nullptr;
    LineRender lines;
};

TEST_F(CheatHighlightTest, TabTogglesAFrameForHandlersAGlowForSpritesAndSkipsInputOff) {
    StartPlayingIn("hall");
    auto* highlight = dynamic_cast<tp_CheatHighlight*>(
        tr_Object::FindChild(level, tp_CheatHighlight::kName, false));
    ASSERT_TRUE(highlight);
    EXPECT_FLOAT_EQ(highlight->GetPosZ(), 999999.0f);
    EXPECT_FALSE(highlight->IsInputEnabled());

    tr_Object* hall = Room("hall");
    tr_Object* button = new tr_Object("button");
    button->SetInputRect(tr_Rect{0, 0, 20, 10});
    button->SetPosition(100, 50);
    button->SetEventCode(TR_EVENT_MDOWN, "print(1)");
    tr_Object::Attach(hall, button);
    auto picture = Picture(8, 8);
    // Textures set after attaching, which loads the (empty) "res".
    tr_Sprite* decor = new tr_Sprite("decor");
    tr_Object::Attach(hall, decor);
    decor->SetTexture(picture);
    tr_Object* off = new tr_Object("off");
    off->SetInputEnabled(false);
    tr_Object::Attach(hall, off);
    tr_Sprite* hidden = new tr_Sprite("hidden");
    hidden->SetEventCode(TR_EVENT_MDOWN, "print(2)");
    tr_Object::Attach(off, hidden);
    hidden->SetTexture(picture);

    DrawFrame();
    EXPECT_TRUE(lines.lines.empty());
    EXPECT_EQ(GlowsOf(picture.get(), 0, 1), 0);

    PressTab();
    EXPECT_TRUE(highlight->IsEnabled());
    DrawFrame();
    int red_lines = 0;
    float min_x = 1e9f, max_x = -1e9f;
    for (const auto& line : lines.lines)
        if (line.red == 1 && line.green == 0) {
            ++red_lines;
            min_x = std::min({min_x, line.x0, line.x1});
            max_x = std::max({max_x, line.x0, line.x1});
        }
    EXPECT_EQ(red_lines, 4);
    EXPECT_FLOAT_EQ(min_x, 100.0f);
    EXPECT_FLOAT_EQ(max_x, 120.0f);
    EXPECT_EQ(GlowsOf(picture.get(), 0, 1), 1); // decor; hidden is under input-off
    EXPECT_EQ(GlowsOf(picture.get(), 1, 0), 0);

    PressTab();
    EXPECT_FALSE(highlight->IsEnabled());
    profile.cheat = false;
    PressTab();
    EXPECT_FALSE(highlight->IsEnabled());
}

} // namespace
