#include "engine/objects/tr_Text.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_TextRenderer.h"
#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_StringTable.h"

namespace {

const char* const kParamKeys[5] = {"param0", "param1", "param2", "param3", "param4"};

} // namespace

tr_Text::tr_Text() {
    ResetDefaults();
}

tr_Text::tr_Text(std::string name) : tr_Object(std::move(name)) {
    ResetDefaults();
}

tr_Text::~tr_Text() = default;

void tr_Text::ResetDefaults() {
    tr_Object::ResetDefaults();
    style_ = tr_TextStyle();
    maxwidth_ = -1;
    disprawtext_ = false;
    text_.clear();
    for (std::string& param : params_)
        param.clear();
}

void tr_Text::Load(tr_SLHelper& helper) {
    tr_Object::Load(helper);
    bool any = false;
    any |= helper.ReadBool("disprawtext", disprawtext_);
    any |= helper.ReadInt("maxwidth", maxwidth_);
    any |= helper.ReadString("text", text_);
    for (int i = 0; i < 5; ++i)
        any |= helper.ReadString(kParamKeys[i], params_[i]);
    any |= helper.ReadInt("align", style_.align);
    any |= helper.ReadInt("align_v", style_.align_v);
    any |= helper.ReadInt("fontsize", style_.fontsize);
    any |= helper.ReadInt("fonttype", style_.fonttype);
    any |= helper.ReadFloat("linespacing", style_.linespacing);
    any |= helper.ReadFloat("fontcolor_r", style_.fontcolor_r);
    any |= helper.ReadFloat("fontcolor_g", style_.fontcolor_g);
    any |= helper.ReadFloat("fontcolor_b", style_.fontcolor_b);
    any |= helper.ReadBool("display_shadow", style_.display_shadow);
    any |= helper.ReadFloat("shadow_pos_x", style_.shadow_pos_x);
    any |= helper.ReadFloat("shadow_pos_y", style_.shadow_pos_y);
    any |= helper.ReadFloat("shadow_color_r", style_.shadow_color_r);
    any |= helper.ReadFloat("shadow_color_g", style_.shadow_color_g);
    any |= helper.ReadFloat("shadow_color_b", style_.shadow_color_b);
    any |= helper.ReadFloat("shadow_aplha", style_.shadow_alpha);
    any |= helper.ReadBool("display_outline", style_.display_outline);
    any |= helper.ReadFloat("outline_color_r", style_.outline_color_r);
    any |= helper.ReadFloat("outline_color_g", style_.outline_color_g);
    any |= helper.ReadFloat("outline_color_b", style_.outline_color_b);
    any |= helper.ReadInt("outline_size", style_.outline_size);
    any |= helper.ReadFloat("outline_alpha", style_.outline_alpha);
    if (any)
        Rerender();
}

void tr_Text::Save(tr_SLHelper& helper) {
    tr_Object::Save(helper);
    helper.WriteString("text", text_);
    for (int i = 0; i < 5; ++i)
        helper.WriteString(kParamKeys[i], params_[i]);
    helper.WriteBool("disprawtext", disprawtext_);
    helper.WriteInt("maxwidth", maxwidth_);
    helper.WriteFloat("linespacing", style_.linespacing);
    helper.WriteInt("fontsize", style_.fontsize);
    helper.WriteInt("fonttype", style_.fonttype);
    helper.WriteInt("align", style_.align);
    helper.WriteInt("align_v", style_.align_v);
    helper.WriteFloat("fontcolor_r", style_.fontcolor_r);
    helper.WriteFloat("fontcolor_g", style_.fontcolor_g);
    helper.WriteFloat("fontcolor_b", style_.fontcolor_b);
    helper.WriteBool("display_shadow", style_.display_shadow);
    helper.WriteFloat("shadow_pos_x", style_.shadow_pos_x);
    helper.WriteFloat("shadow_pos_y", style_.shadow_pos_y);
    helper.WriteFloat("shadow_color_r", style_.shadow_color_r);
    helper.WriteFloat("shadow_color_g", style_.shadow_color_g);
    helper.WriteFloat("shadow_color_b", style_.shadow_color_b);
    helper.WriteFloat("shadow_aplha", style_.shadow_alpha);
    helper.WriteBool("display_outline", style_.display_outline);
    helper.WriteFloat("outline_color_r", style_.outline_color_r);
    helper.WriteFloat("outline_color_g", style_.outline_color_g);
    helper.WriteFloat("outline_color_b", style_.outline_color_b);
    helper.WriteInt("outline_size", style_.outline_size);
    helper.WriteFloat("outline_alpha", style_.outline_alpha);
}

tr_Rect tr_Text::GetDrawRect() {
    if (rendered_.IsEmpty())
        return tr_Rect();
    return rendered_.texture->GetRect(own_state_);
}

bool tr_Text::HitTest(float x, float y, const tr_DrawState& state) {
    // The alignment may have changed since the rectangle was placed.
    PlaceInputRect();
    return tr_Object::HitTest(x, y, state);
}

std::shared_ptr<tr_Resource> tr_Text::GetResource() {
    return font_;
}

void tr_Text::Refresh(bool recursive) {
    Rerender();
    tr_Object::Refresh(recursive);
}

void tr_Text::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    font_ = tr_Font::GetFont(res_name_);
    if (font_)
        Rerender();
}

void tr_Text::UnloadResources() {
    if (!resources_loaded_)
        return;
    font_.reset();
    rendered_ = tr_RenderedText();
    resources_loaded_ = false;
}

void tr_Text::Draw(tr_Render* render, const tr_DrawState& state) {
    if (rendered_.IsEmpty() || !render)
        return;
    tr_DrawState placed = state;
    const tr_Rect centred = GetDrawRect();
    const tr_Rect rect = PlacedRect();
    placed.offset_x += rect.x - centred.x;
    placed.offset_y += rect.y - centred.y;
    render->DrawQuad(rendered_.texture, placed);
}

tr_Rect tr_Text::PlacedRect() const {
    tr_Rect rect = rendered_.texture->GetRect(own_state_);
    if (style_.align == 0)
        rect.x += rect.w / 2;
    else if (style_.align == 2)
        rect.x -= rect.w / 2;
    if (style_.align_v == 0)
        rect.y += rect.h / 2;
    else if (style_.align_v == 2)
        rect.y -= rect.h / 2;
    return rect;
}

void tr_Text::PlaceInputRect() {
    if (!rendered_.IsEmpty() && !input_rect_defined_)
        input_rect_ = PlacedRect();
}

void tr_Text::SetAlign(int align) {
    style_.align = align;
    PlaceInputRect();
}

void tr_Text::SetText(const std::string& text, const std::string& p0, const std::string& p1,
                      const std::string& p2, const std::string& p3, const std::string& p4) {
    const std::string* values[5] = {&p0, &p1, &p2, &p3, &p4};
    bool changed = text != text_;
    for (int i = 0; i < 5 && !changed; ++i)
        changed = *values[i] != params_[i];
    if (!changed)
        return;
    text_ = text;
    for (int i = 0; i < 5; ++i)
        params_[i] = *values[i];
    Rerender();
}

void tr_Text::SetFontSize(int size) {
    style_.fontsize = size;
    Rerender();
}

void tr_Text::SetMaxWidth(int width) {
    maxwidth_ = width;
    Rerender();
}

void tr_Text::Rerender() {
    if (!font_)
        return;
    rendered_ = tr_RenderedText();
    std::string shown = text_;
    tr_StringTable* table = tr_StringTable::Get();
    if (table && !disprawtext_)
        shown = table->StringGet(text_, params_[0], params_[1], params_[2], params_[3], params_[4]);
    rendered_ = tr_TextRenderer::RenderText(*font_, style_, shown, maxwidth_);
    ++render_count_;
    PlaceInputRect();
}
