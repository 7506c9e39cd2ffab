// tp_TextEdit: the one-line (or wrapped) text input field, type "textedit".
// A text object that takes typed characters, keeps a caret that blinks and
// moves with Left / Right, edits with Backspace and Delete, limits the
// length (maxchars) and the accepted characters (allowed_characters), and
// queues trg_enter with the field as sender on Enter. The typed text shows
// as typed: raw (no string-table lookup) and without inline tags, so a "<"
// is a character like any other.
//
// The characters live in the field; the text object's text is rebuilt from
// them on the next update. Characters are measured with the font, so text
// given before the font is loaded (module attribute, SetText) is kept and
// entered when LoadResources brings the font. Made by the object factory;
// owned by its parent like any object.
#pragma once

#include "engine/objects/tr_Text.h"
#include "game/level/tp_TextEditCaret.h"

#include <string>
#include <vector>

class tp_TextEdit : public tr_Text {
public:
    // Windows virtual-key codes the field answers.
    enum Key { KEY_BACKSPACE = 8, KEY_ENTER = 13, KEY_LEFT = 37, KEY_RIGHT = 39, KEY_DELETE = 46 };
    // The caret shows for this part of every second.
    static constexpr float kCaretShownFor = 0.7f;

    tp_TextEdit();
    ~tp_TextEdit() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "textedit"; }
    void ResetDefaults() override;
    void LoadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // Replaces the field's content (parameters are not used: the field shows
    // raw text); the limits apply as to typing.
    void SetText(const std::string& text, const std::string& p0 = std::string(),
                 const std::string& p1 = std::string(), const std::string& p2 = std::string(),
                 const std::string& p3 = std::string(),
                 const std::string& p4 = std::string()) override;
    // What the field holds now, even before the next update shows it.
    std::string GetText() const override;

    int GetCursor() const { return cursor_; }
    int GetCharCount() const { return int(chars_.size()); }
    bool IsCaretShown() const { return blink_time_ < kCaretShownFor; }
    // The caret's foot in the field's space (as of the last update).
    float GetCaretX() const { return caret_x_; }
    float GetCaretY() const { return caret_y_; }

private:
    struct Char {
        std::string utf8;
        int code = 0;
        int advance = 0;
    };

    // Clears the field and enters text character by character (up to
    // maxchars); kept for LoadResources while there is no font.
    void EnterText(const std::string& text);
    void HandleCharacter(int unit, bool& refused);
    void HandleKey(int key);
    bool Accepts(int code) const;
    // Measures and inserts at the caret; nothing when the font cannot show it.
    void Insert(int code);
    int Measure(const std::string& utf8);
    void Clear();
    void ClearOnFirstInput();
    void PlaceCaret();

    int maxchars_ = 40;
    bool clearonfirstinput_ = false;
    bool cleared_ = false;
    std::string allowed_characters_;
    std::string trg_enter_;
    std::vector<Char> chars_;
    int cursor_ = 0;
    float caret_x_ = 0.0f;
    float caret_y_ = 0.0f;
    bool caret_dirty_ = true;
    bool text_dirty_ = false;
    float blink_time_ = 0.0f;
    int high_surrogate_ = 0; // first half of a character beyond 16 bits
    std::string waiting_text_;
    bool text_waiting_ = false;
};
