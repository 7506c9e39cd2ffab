// The text-edit field with the shipped font: typing, keys, limits, the
// caret and its blinking, and text given before the font is there.
#include "LevelTestSupport.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_SLHelper_XML.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "game/level/tp_LevelObjectTypes.h"
#include "game/level/tp_TextEdit.h"

#include <tinyxml2.h>

#include <memory>
#include <string>

namespace {

const std::string kFont = TARROW_SOURCE_DIR "/assets/fonts/dejavusans";

class TextEditTest : public LevelTestBase {
protected:
    void SetUp() override {
        tr_CallQueue::Install(&queue);
        tp_RegisterLevelObjectTypes();
    }
    void TearDown() override { tr_CallQueue::Install(nullptr); }

    // A field made by the factory from attributes, its font loaded.
    std::unique_ptr<tp_TextEdit> Make(const std::string& attributes, bool load_font = true) {
        tinyxml2::XMLDocument document;
        document.Parse(
            ("<textedit name=\"field\" res=\"" + kFont + "\" " + attributes + "/>").c_str());
        tr_Object* made = tr_ObjectFactory::Get().CreateFromElement(document.RootElement());
        std::unique_ptr<tp_TextEdit> field(dynamic_cast<tp_TextEdit*>(made));
        EXPECT_NE(field, nullptr);
        if (!field)
            delete made;
        else if (load_font)
            field->LoadResources();
        return field;
    }
    void Type(tp_TextEdit& field, const std::string& text) {
        for (unsigned char c : text)
            Char(field, c);
    }
    // A character event; at_field puts its point on the field (whose base
    // handling then takes it), otherwise it lies far away.
    bool Char(tp_TextEdit& field, int code, bool at_field = false) {
        tr_InputEvent event;
        event.type = TR_EVENT_CHAR;
        event.character = code;
        event.x = event.y = at_field ? 0.0f : -1000.0f;
        return field.HandleInput(event, nullptr, tr_DrawState());
    }
    void Key(tp_TextEdit& field, int key) {
        tr_InputEvent event;
        event.type = TR_EVENT_KEY_DOWN;
        event.key = key;
        field.HandleInput(event, nullptr, tr_DrawState());
    }
    void Frame(tp_TextEdit& field, float dt) {
        tr_FrameInfo frame;
        frame.dt = dt;
        field.Update(frame);
    }

    tr_ResourceRegistry registry;
};

TEST_F(TextEditTest, AllowedCharactersFilterWhatIsTyped) {
    struct Case {
        const char* allowed;
        std::vector<int> typed;
        std::string expected;
    };
    const Case cases[] = {
        {"0123456789", {'a', '1', 'B', '2', 0x416}, "12"},
        {"", {'a', 0x416, 0xE9, '<', '>'}, "a\xd0\x96\xc3\xa9<>"},
        {"", {8, 9, 13, 27, 0x7F, 'x'}, "x"}, // control characters never enter
        {"", {0xDC00, 'y'}, "y"},             // half a surrogate pair is dropped
    };
    for (const Case& c : cases) {
        auto field = Make(std::string("allowed_characters=\"") + c.allowed + "\"");
        for (int code : c.typed)
            Char(*field, code);
        EXPECT_EQ(field->GetText(), c.expected) << c.allowed;
    }
}

TEST_F(TextEditTest, KeysEditAtTheCaret) {
    auto field = Make("");
    Type(*field, "bc");
    for (int i = 0; i < 5; ++i)
        Key(*field, tp_TextEdit::KEY_LEFT);
    EXPECT_EQ(field->GetCursor(), 0);
    Type(*field, "a");
    EXPECT_EQ(field->GetText(), "abc");
    for (int i = 0; i < 5; ++i)
        Key(*field, tp_TextEdit::KEY_RIGHT);
    EXPECT_EQ(field->GetCursor(), 3);
    Key(*field, tp_TextEdit::KEY_DELETE); // at the end: nothing
    EXPECT_EQ(field->GetText(), "abc");
    Key(*field, tp_TextEdit::KEY_LEFT);
    Key(*field, tp_TextEdit::KEY_LEFT);
    Key(*field, tp_TextEdit::KEY_DELETE);
    EXPECT_EQ(field->GetText(), "ac");
    Key(*field, tp_TextEdit::KEY_BACKSPACE);
    EXPECT_EQ(field->GetText(), "c");
    EXPECT_EQ(field->GetCursor(), 0);
    Key(*field, tp_TextEdit::KEY_BACKSPACE); // at the start: nothing
    EXPECT_EQ(field->GetText(), "c");
}

TEST_F(TextEditTest, ClearOnFirstInputAndMaxChars) {
    auto field = Make("text=\"Player\" clearonfirstinput=\"1\" maxchars=\"4\"");
    EXPECT_EQ(field->GetText(), "Play"); // prefilled text obeys the limit too
    Key(*field, tp_TextEdit::KEY_BACKSPACE);
    EXPECT_EQ(field->GetText(), "");
    Type(*field, "Anna");
    Frame(*field, 0.0f);
    EXPECT_TRUE(Char(*field, 27, true));   // ignored, handled as a click on the field
    EXPECT_FALSE(Char(*field, 's', true)); // refused at once: the field is full
    EXPECT_EQ(field->GetText(), "Anna");

    auto typed_over = Make("text=\"Player\" clearonfirstinput=\"1\"");
    Type(*typed_over, "B");
    EXPECT_EQ(typed_over->GetText(), "B");
}

TEST_F(TextEditTest, EnterQueuesTheTriggerWithTheFieldAsSender) {
    auto field = Make("trg_enter=\"on_name()\" maxchars=\"7\"");
    Type(*field, "Ann");
    Key(*field, tp_TextEdit::KEY_ENTER);
    EXPECT_EQ(QueuedBy("field"), std::vector<std::string>{"on_name()"});
    // The trigger reads what was typed, though no update showed it yet.
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* element = document.NewElement("textedit");
    tr_SLHelper_XML helper(element);
    field->Save(helper);
    EXPECT_STREQ(element->Attribute("text"), "Ann");
    EXPECT_STREQ(element->Attribute("maxchars"), "7");
}

TEST_F(TextEditTest, ATypedTagStaysTextAndTheCaretKeepsStep) {
    auto field = Make("align=\"0\"");
    Type(*field, "a<b>c");
    Frame(*field, 0.0f);
    EXPECT_EQ(field->GetText(), "a<b>c");
    EXPECT_EQ(field->GetRendered().chars.size(), 5u);
    // The caret stands at the end of what is drawn.
    const float drawn = field->GetDrawRect().w;
    EXPECT_NEAR(field->GetCaretX(), drawn - 20 / 4.0f + 1, 6.0f);
}

TEST_F(TextEditTest, TextGivenBeforeTheFontIsKept) {
    auto from_module = Make("text=\"Ann\"", false);
    EXPECT_EQ(from_module->GetText(), "Ann");
    from_module->LoadResources();
    EXPECT_EQ(from_module->GetCharCount(), 3);
    Type(*from_module, "e");
    EXPECT_EQ(from_module->GetText(), "Anne");

    auto from_script = Make("", false);
    from_script->SetText("Bob");
    from_script->LoadResources();
    Frame(*from_script, 0.0f);
    EXPECT_EQ(from_script->GetCharCount(), 3);
    EXPECT_EQ(from_script->GetRendered().chars.size(), 3u);
}

TEST_F(TextEditTest, CaretMovesWithTheTextAndBlinks) {
    auto field = Make("align=\"0\" align_v=\"0\"");
    Frame(*field, 0.0f);
    EXPECT_FLOAT_EQ(field->GetCaretX(), 20 / 4.0f + 1);
    EXPECT_FLOAT_EQ(field->GetCaretY(), 1.25f * 20);
    Type(*field, "a");
    Frame(*field, 0.0f);
    const float after_one = field->GetCaretX();
    Type(*field, "a");
    Frame(*field, 0.0f);
    EXPECT_NEAR(field->GetCaretX() - after_one, after_one - (20 / 4.0f + 1), 0.01f);

    const struct {
        float dt;
        bool shown;
    } steps[] = {{0.6f, true}, {0.2f, false}, {0.15f, false}, {0.1f, true}, {0.7f, false}};
    for (const auto& step : steps) {
        Frame(*field, step.dt);
        EXPECT_EQ(field->IsCaretShown(), step.shown) << step.dt;
    }
    Key(*field, tp_TextEdit::KEY_LEFT);
    EXPECT_TRUE(field->IsCaretShown());
    render.SetRecording(true);
    render.BeginFrame();
    render.BeginDraw();
    field->Draw(&render, tr_DrawState());
    render.EndDraw();
    render.EndFrame();
    ASSERT_EQ(render.GetRecordedDraws().size(), 2u);
    EXPECT_EQ(render.GetRecordedDraws()[1].kind, tr_Render_Null::DrawKind::kLine);
}

} // namespace
