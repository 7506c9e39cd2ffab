#include "engine/objects/tr_Text.h"

#include "engine/core/tr_SLHelper_XML.h"
#include "engine/platform/headless/tr_DeviceTexture_Null.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_TextRenderer.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_StringTable.h"
#include "engine/resources/text/tr_TextLayout.h"
#include "engine/resources/text/tr_TextRaster.h"

#include "FontTestSupport.h"
#include "LogCapture.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

namespace {

std::string Row(const std::string& id, const std::string& text) {
    return "<Row><Cell><Data>" + id + "</Data></Cell><Cell><Data>" + text + "</Data></Cell></Row>";
}

class TextObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        tr_StringTable* table = tr_StringTable::GetOrCreate();
        table->AddWorkbook(Row("greeting", "Hello %1%!") + Row("long", "Hello there") +
                           Row("para", "one two three four five six seven eight nine ten"));
        render.Init(1024, 768);
        render.SetRecording(true);
    }
    void TearDown() override { tr_StringTable::Destroy(); }

    void Load(tr_Text& text, const std::string& res) {
        text.SetRes(res);
        text.LoadResources();
    }

    const tr_Render_Null::RecordedDraw& DrawOnce(tr_Text& text) {
        render.ClearRecordedDraws();
        render.BeginFrame();
        render.BeginDraw();
        text.Draw(&render, tr_Object::ComputeDrawState(&text, tr_DrawState(), 0));
        render.EndDraw();
        render.EndFrame();
        EXPECT_EQ(render.GetRecordedDraws().size(), 1u);
        return render.GetRecordedDraws().front();
    }

    tr_ResourceRegistry registry;
    tr_Render_Null render;
};

TEST_F(TextObjectTest, WithoutAFontNothingIsRenderedOrDrawn) {
    LogCapture log;
    tr_Text text("t");
    text.SetText("greeting", "you");
    Load(text, kFontBase + "_missing");
    EXPECT_EQ(log.CountStartingWith("Error: font "), 1);
    EXPECT_TRUE(text.GetRendered().IsEmpty());
    const tr_Rect rect = text.GetDrawRect();
    EXPECT_EQ(rect.w, 0.0f);
    EXPECT_EQ(rect.h, 0.0f);
    render.BeginFrame();
    render.BeginDraw();
    text.Draw(&render, tr_DrawState());
    render.EndDraw();
    render.EndFrame();
    EXPECT_EQ(render.GetDrawCount(), 0);
}

TEST_F(TextObjectTest, ResolvesIdsAndRendersOnlyOnChange) {
    tr_Text text("t");
    Load(text, kFontBase);
    ASSERT_TRUE(text.GetFont());
    text.SetText("greeting", "Bob");
    ASSERT_FALSE(text.GetRendered().IsEmpty());
    EXPECT_EQ(text.GetText(), "greeting");
    std::string shown;
    for (const tr_TextChar& c : text.GetRendered().chars)
        shown += static_cast<char>(c.code);
    EXPECT_EQ(shown, "Hello Bob!");

    const int renders = text.GetRenderCount();
    text.SetText("greeting", "Bob");
    EXPECT_EQ(text.GetRenderCount(), renders);
    text.SetText("greeting", "Bob", "", "changed");
    EXPECT_EQ(text.GetRenderCount(), renders + 1);

    // Raw text shows the id as written, percent signs included.
    text.SetDispRawText(true);
    text.SetText("100%% %1%");
    shown.clear();
    for (const tr_TextChar& c : text.GetRendered().chars)
        shown += static_cast<char>(c.code);
    EXPECT_EQ(shown, "100%% %1%");

    // The shared font comes from the registry.
    tr_Text other("u");
    Load(other, kFontBase);
    EXPECT_EQ(other.GetFont(), text.GetFont());
    text.UnloadResources();
    EXPECT_FALSE(text.GetFont());
    EXPECT_TRUE(text.GetRendered().IsEmpty());
}

TEST_F(TextObjectTest, AlignmentPlacesTheBlockEdgeAtThePosition) {
    tr_Text text("t");
    Load(text, kFontBase);
    text.SetPosition(100.0f, 50.0f);
    text.SetAlign(0);
    text.GetStyle().align_v = 0;
    text.SetText("long");
    const tr_Rect rect = text.GetDrawRect();
    ASSERT_GT(rect.w, 0.0f);
    EXPECT_EQ(rect.w, static_cast<float>(text.GetRendered().width));
    EXPECT_EQ(rect.x, -rect.w / 2);

    const tr_DrawState left = DrawOnce(text).state;
    EXPECT_FLOAT_EQ(left.offset_x, rect.w / 2);
    EXPECT_FLOAT_EQ(left.offset_y, rect.h / 2);

    const int renders = text.GetRenderCount();
    text.SetAlign(2);
    text.GetStyle().align_v = 2;
    const tr_DrawState right = DrawOnce(text).state;
    EXPECT_FLOAT_EQ(right.offset_x, -rect.w / 2);
    EXPECT_FLOAT_EQ(right.offset_y, -rect.h / 2);
    EXPECT_EQ(text.GetRenderCount(), renders);

    text.SetAlign(1);
    text.GetStyle().align_v = 1;
    const tr_DrawState centre = DrawOnce(text).state;
    EXPECT_FLOAT_EQ(centre.offset_x, 0.0f);
    EXPECT_FLOAT_EQ(centre.offset_y, 0.0f);
    // The input rectangle follows the rendering while none was given.
    EXPECT_FLOAT_EQ(text.GetInputRect().w, rect.w);
}

TEST_F(TextObjectTest, InputRectangleCoversTheDrawnBlockForEveryAlignment) {
    tr_Text text("t");
    Load(text, kFontBase);
    text.SetPosition(100.0f, 50.0f);
    text.SetText("long");
    const float w = text.GetDrawRect().w;
    const float h = text.GetDrawRect().h;
    struct Case {
        int align;
        int align_v;
        float inside_x, inside_y;   // near the far corner of the drawn block
        float outside_x, outside_y; // where a centred rectangle would still hit
    };
    const Case cases[] = {
        {0, 1, 100 + w - 2, 50, 100 - w / 2 + 2, 50},
        {2, 1, 100 - w + 2, 50, 100 + w / 2 - 2, 50},
        {1, 0, 100, 50 + h - 2, 100, 50 - h / 2 + 2},
        {1, 2, 100, 50 - h + 2, 100, 50 + h / 2 - 2},
        {1, 1, 100 + w / 2 - 2, 50, 100 + w / 2 + 2, 50},
    };
    for (const Case& c : cases) {
        text.SetAlign(c.align);
        text.GetStyle().align_v = c.align_v;
        const tr_DrawState state = tr_Object::ComputeDrawState(&text, tr_DrawState(), 0);
        EXPECT_TRUE(text.HitTest(c.inside_x, c.inside_y, state)) << c.align << c.align_v;
        EXPECT_FALSE(text.HitTest(c.outside_x, c.outside_y, state)) << c.align << c.align_v;
    }
}

TEST_F(TextObjectTest, WithoutMarkupATypedTagShowsAsWritten) {
    tr_Text text("t");
    text.SetDispRawText(true);
    Load(text, kFontBase);
    text.SetText("a<b>c");
    const size_t tagged = text.GetRendered().chars.size();
    text.GetStyle().markup = false;
    text.Rerender();
    EXPECT_EQ(tagged, 2u);
    EXPECT_EQ(text.GetRendered().chars.size(), 5u);
    EXPECT_EQ(text.GetRendered().chars[1].code, '<');
}

TEST_F(TextObjectTest, LoadReadsAttributesAndMaxWidthWraps) {
    tinyxml2::XMLDocument doc;
    ASSERT_EQ(doc.Parse("<text name=\"t\" text=\"para\" maxwidth=\"200\" fontsize=\"24\" "
                        "fontcolor_g=\"0\" display_outline=\"1\" outline_size=\"2\" "
                        "shadow_aplha=\"0.5\"/>"),
              tinyxml2::XML_SUCCESS);
    tr_Text text;
    Load(text, kFontBase);
    const int renders = text.GetRenderCount();
    tr_SLHelper_XML helper(doc.RootElement());
    text.Load(helper);
    EXPECT_EQ(text.GetRenderCount(), renders + 1);
    EXPECT_EQ(text.GetMaxWidth(), 200);
    EXPECT_EQ(text.GetFontSize(), 24);
    EXPECT_TRUE(text.GetStyle().display_outline);
    EXPECT_FLOAT_EQ(text.GetStyle().shadow_alpha, 0.5f);

    const std::vector<tr_TextChar>& chars = text.GetRendered().chars;
    const int lines =
        1 + static_cast<int>(std::count_if(chars.begin(), chars.end(),
                                           [](const tr_TextChar& c) { return c.code == '\n'; }));
    EXPECT_GE(lines, 2);
    text.GetFont()->SetCharSize(24);
    size_t start = 0;
    for (int line = 0; line < lines; ++line) {
        EXPECT_LT(tr_TextLayout::LineWidth(chars, start, 0, *text.GetFont()), 200);
        while (start < chars.size() && chars[start].code != '\n')
            ++start;
        ++start;
    }

    // Saving writes the attributes back.
    tinyxml2::XMLDocument out;
    tinyxml2::XMLElement* element = out.NewElement("text");
    out.InsertEndChild(element);
    tr_SLHelper_XML writer(element);
    text.Save(writer);
    EXPECT_STREQ(element->Attribute("text"), "para");
    EXPECT_STREQ(element->Attribute("maxwidth"), "200");
    EXPECT_STREQ(element->Attribute("display_outline"), "1");
    EXPECT_NE(element->Attribute("shadow_aplha"), nullptr);

    text.SetMaxWidth(-1);
    EXPECT_EQ(std::count_if(text.GetRendered().chars.begin(), text.GetRendered().chars.end(),
                            [](const tr_TextChar& c) { return c.code == '\n'; }),
              0);
}

TEST_F(TextObjectTest, TheTextureHoldsTheRasterizedPixels) {
    std::shared_ptr<tr_Font> font = tr_Font::GetFont(kFontBase);
    ASSERT_TRUE(font);
    tr_TextStyle style;
    style.fontsize = 18;
    style.fontcolor_b = 0.0f;
    const tr_RenderedText rendered = tr_TextRenderer::RenderText(*font, style, "Wave 7", -1);
    ASSERT_FALSE(rendered.IsEmpty());
    tr_TextImage image;
    std::vector<tr_TextChar> chars;
    ASSERT_TRUE(tr_TextRaster::Render(*font, style, "Wave 7", -1, image, chars));
    EXPECT_EQ(rendered.width, image.width);
    EXPECT_EQ(rendered.height, image.height);
    EXPECT_EQ(rendered.texture->GetWidth(), static_cast<float>(image.width));
    const auto* device =
        dynamic_cast<const tr_DeviceTexture_Null*>(rendered.texture->GetDeviceTexture(0));
    ASSERT_NE(device, nullptr);
    int ink = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            ASSERT_EQ(device->GetTexel(x, y), image.At(x, y)) << x << "," << y;
            ink += image.At(x, y) == 0xFFFFFF00u;
        }
    EXPECT_GT(ink, 10);

    tr_Font empty;
    EXPECT_TRUE(tr_TextRenderer::RenderText(empty, style, "x", -1).IsEmpty());
}

} // namespace
