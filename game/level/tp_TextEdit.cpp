#include "game/level/tp_TextEdit.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/text/tr_TextMarkup.h"
#include "engine/script/tr_CallQueue.h"

#include <algorithm>
#include <cmath>

namespace {

std::string EncodeUtf8(int code) {
    std::string out;
    const unsigned c = unsigned(code);
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | ((c >> 18) & 0x07));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

tp_TextEdit::tp_TextEdit() {
    tp_TextEdit::ResetDefaults();
}

tp_TextEdit::~tp_TextEdit() = default;

void tp_TextEdit::ResetDefaults() {
    tr_Text::ResetDefaults();
    maxchars_ = 40;
    clearonfirstinput_ = false;
    cleared_ = false;
    allowed_characters_.clear();
    trg_enter_.clear();
    chars_.clear();
    cursor_ = 0;
    caret_dirty_ = true;
    text_dirty_ = false;
    blink_time_ = 0.0f;
    high_surrogate_ = 0;
    waiting_text_.clear();
    text_waiting_ = false;
    SetDispRawText(true);
    style_.markup = false;
}

void tp_TextEdit::Load(tr_SLHelper& helper) {
    helper.ReadInt("maxchars", maxchars_);
    helper.ReadBool("clearonfirstinput", clearonfirstinput_);
    helper.ReadString("allowed_characters", allowed_characters_);
    helper.ReadString("trg_enter", trg_enter_);
    tr_Text::Load(helper);
    std::string prefilled;
    if (helper.ReadString("text", prefilled))
        EnterText(prefilled);
}

void tp_TextEdit::Save(tr_SLHelper& helper) {
    tr_Text::Save(helper);
    // What was typed this frame is shown only at the next update; a trigger
    // that reads the field (Enter) must see it already.
    helper.WriteString("text", GetText());
    helper.WriteInt("maxchars", maxchars_);
    helper.WriteBool("clearonfirstinput", clearonfirstinput_);
    helper.WriteString("allowed_characters", allowed_characters_);
    helper.WriteString("trg_enter", trg_enter_);
}

void tp_TextEdit::LoadResources() {
    tr_Text::LoadResources();
    if (!font_)
        return;
    if (text_waiting_) {
        text_waiting_ = false;
        EnterText(waiting_text_);
        waiting_text_.clear();
    }
    if (clearonfirstinput_)
        cleared_ = false;
    Rerender();
}

void tp_TextEdit::SetText(const std::string& text, const std::string&, const std::string&,
                          const std::string&, const std::string&, const std::string&) {
    EnterText(text);
}

std::string tp_TextEdit::GetText() const {
    if (text_waiting_)
        return waiting_text_;
    std::string text;
    for (const Char& c : chars_)
        text += c.utf8;
    return text;
}

void tp_TextEdit::EnterText(const std::string& text) {
    Clear();
    cleared_ = false;
    if (!font_) {
        waiting_text_ = text;
        text_waiting_ = true;
        return;
    }
    text_waiting_ = false;
    for (int32_t code : tr_TextMarkup::DecodeUtf8(text)) {
        if (int(chars_.size()) >= maxchars_)
            break;
        Insert(code);
    }
}

bool tp_TextEdit::HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) {
    if (event.type == TR_EVENT_CHAR) {
        bool refused = false;
        HandleCharacter(event.character, refused);
        if (refused)
            return false;
    } else if (event.type == TR_EVENT_KEY_DOWN) {
        HandleKey(event.key);
    }
    return tr_Text::HandleInput(event, picked, state);
}

void tp_TextEdit::HandleCharacter(int unit, bool& refused) {
    // Characters beyond 16 bits arrive as two UTF-16 halves.
    int code = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_surrogate_ = unit;
        return;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (high_surrogate_ == 0)
            return;
        code = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00);
    }
    high_surrogate_ = 0;
    // Backspace, Tab, Enter and Escape arrive as characters too; their keys
    // do the work, and no control character belongs in the text.
    if (code < 0x20 || code == 0x7F || code > 0x10FFFF || !Accepts(code))
        return;
    ClearOnFirstInput();
    if (int(chars_.size()) >= maxchars_) {
        refused = true;
        return;
    }
    Insert(code);
}

void tp_TextEdit::HandleKey(int key) {
    const int count = int(chars_.size());
    switch (key) {
    case KEY_BACKSPACE:
        ClearOnFirstInput();
        if (cursor_ >= 1) {
            chars_.erase(chars_.begin() + (cursor_ - 1));
            --cursor_;
        }
        text_dirty_ = caret_dirty_ = true;
        break;
    case KEY_ENTER:
        tr_QueueObjectCall(name_, trg_enter_);
        break;
    case KEY_LEFT:
    case KEY_RIGHT:
        cursor_ = key == KEY_LEFT ? std::max(cursor_ - 1, 0) : std::min(cursor_ + 1, count);
        blink_time_ = 0.0f;
        caret_dirty_ = true;
        break;
    case KEY_DELETE:
        if (cursor_ >= 0 && cursor_ < count) {
            chars_.erase(chars_.begin() + cursor_);
            text_dirty_ = caret_dirty_ = true;
        }
        break;
    default:
        break;
    }
}

bool tp_TextEdit::Accepts(int code) const {
    return allowed_characters_.empty() ||
           (code < 255 && allowed_characters_.find(char(code)) != std::string::npos);
}

void tp_TextEdit::Insert(int code) {
    Char c;
    c.utf8 = EncodeUtf8(code);
    c.code = code;
    c.advance = Measure(c.utf8);
    if (c.advance <= 0)
        return;
    chars_.insert(chars_.begin() + cursor_, c);
    ++cursor_;
    text_dirty_ = caret_dirty_ = true;
}

int tp_TextEdit::Measure(const std::string& utf8) {
    if (!font_)
        return 0;
    // The character twice, less the block's margin, halved: its advance
    // including the spacing to its neighbour.
    const std::string shown = text_;
    const tr_RenderedText rendering = rendered_;
    const tr_Rect input = input_rect_;
    text_ = utf8 + utf8;
    Rerender();
    const int width = int(GetDrawRect().w);
    text_ = shown;
    rendered_ = rendering;
    input_rect_ = input;
    return (width - style_.fontsize / 2) / 2;
}

void tp_TextEdit::Clear() {
    text_.clear();
    chars_.clear();
    cursor_ = 0;
    caret_dirty_ = text_dirty_ = true;
}

void tp_TextEdit::ClearOnFirstInput() {
    if (clearonfirstinput_ && !cleared_) {
        Clear();
        cleared_ = true;
    }
}

void tp_TextEdit::Update(const tr_FrameInfo& frame) {
    if (text_dirty_) {
        text_dirty_ = false;
        text_.clear();
        for (const Char& c : chars_)
            text_ += c.utf8;
        Rerender();
    }
    if (caret_dirty_) {
        caret_dirty_ = false;
        PlaceCaret();
    }
    tr_Text::Update(frame);
    blink_time_ += frame.dt;
    if (blink_time_ > 1.0f)
        blink_time_ = std::fmod(blink_time_, 1.0f);
}

void tp_TextEdit::PlaceCaret() {
    std::vector<tp_TextEditChar> measured(chars_.size());
    for (size_t i = 0; i < chars_.size(); ++i)
        measured[i] = {chars_[i].code, chars_[i].advance};
    tp_TextEditCaretStyle style;
    style.align = style_.align;
    style.align_v = style_.align_v;
    style.fontsize = float(style_.fontsize);
    style.linespacing = style_.linespacing;
    style.maxwidth = maxwidth_;
    style.block_height = rendered_.IsEmpty() ? 0.0f : GetDrawRect().h;
    tp_TextEditCaret::Place(measured, cursor_, style, caret_x_, caret_y_);
}

void tp_TextEdit::Draw(tr_Render* render, const tr_DrawState& state) {
    tr_Text::Draw(render, state);
    if (!render || !font_ || !IsCaretShown())
        return;
    const float x = caret_x_ + state.offset_x;
    const float y = caret_y_ + state.offset_y;
    render->DrawLine(x, y, 0.0f, x, y - 1.1f * float(style_.fontsize), 0.0f,
                     style_.fontcolor_r * state.red, style_.fontcolor_g * state.green,
                     style_.fontcolor_b * state.blue, state);
}
