#include "engine/scene/tr_Object.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/scene/tr_InputFocus.h"
#include "engine/scene/tr_SceneTraversal.h"
#include "engine/script/tr_CallQueue.h"

namespace {

const char* const kEventKeys[TR_EVENT_SLOT_COUNT] = {
    "event_mdown",       "event_mup",       "event_menter",   "event_mleave", "event_menter_drag",
    "event_mleave_drag", "event_startdrag", "event_dragdrop", "event_drag",
};

// Attribute order of the event slots (differs from the slot order).
const int kEventKeyOrder[TR_EVENT_SLOT_COUNT] = {
    TR_EVENT_MDOWN,    TR_EVENT_MUP,         TR_EVENT_MENTER,
    TR_EVENT_MLEAVE,   TR_EVENT_MENTER_DRAG, TR_EVENT_MLEAVE_DRAG,
    TR_EVENT_DRAGDROP, TR_EVENT_DRAG,        TR_EVENT_STARTDRAG,
};

const char* const kInputRectKeys[4] = {"inputrect_x", "inputrect_y", "inputrect_w", "inputrect_h"};
const char* const kCropRectKeys[4] = {"croprect_x", "croprect_y", "croprect_w", "croprect_h"};

void ReadRect(tr_SLHelper& helper, const char* const keys[4], tr_Rect& rect) {
    helper.ReadFloat(keys[0], rect.x);
    helper.ReadFloat(keys[1], rect.y);
    helper.ReadFloat(keys[2], rect.w);
    helper.ReadFloat(keys[3], rect.h);
}

void WriteRect(tr_SLHelper& helper, const char* const keys[4], const tr_Rect& rect) {
    helper.WriteFloat(keys[0], rect.x);
    helper.WriteFloat(keys[1], rect.y);
    helper.WriteFloat(keys[2], rect.w);
    helper.WriteFloat(keys[3], rect.h);
}

const std::string kNoCode;

} // namespace

tr_Object::tr_Object() {
    ResetDefaults();
}

tr_Object::tr_Object(std::string name) : name_(std::move(name)) {
    ResetDefaults();
}

tr_Object::~tr_Object() {
    initialised_ = false;
    resources_loaded_ = false;

    tr_ObjectRef& hovered = tr_InputFocus::Hovered();
    if (hovered.Is(this)) {
        tr_QueueObjectCall(name_, event_code_[TR_EVENT_MLEAVE]);
        hovered.Reset();
    }
    tr_ObjectRef& dragged = tr_InputFocus::Dragged();
    if (dragged.Is(this))
        dragged.Reset();
    // From here on every weak reference (name registry included) reads null,
    // and a tree walk standing on this object leaves it alone.
    if (anchor_)
        *anchor_ = nullptr;
    tr_SceneTraversal::ObjectDestroyed(this);

    modifiers_.clear();
    DeleteChildren(this);
    if (parent_)
        RemoveChild(parent_, this, false);
}

const std::shared_ptr<tr_Object*>& tr_Object::GetAnchor() {
    if (!anchor_)
        anchor_ = std::make_shared<tr_Object*>(this);
    return anchor_;
}

void tr_Object::ResetDefaults() {
    angle_ = 0.0f;
    scale_[0] = scale_[1] = 1.0f;
    angle_offset_ = 0.0f;
    scale_factor_[0] = scale_factor_[1] = 1.0f;
    active_ = input_ = visible_ = true;
    update_children_ = input_children_ = draw_children_ = true;
    drag_ = realdrag_ = false;
    attach_type_ = TR_ATTACH_FULL;
    input_rect_defined_ = crop_rect_defined_ = false;
    initialised_ = resources_loaded_ = false;
    local_dirty_ = true;
    world_ = tr_Matrix::Identity();
}

void tr_Object::Load(tr_SLHelper& helper) {
    helper.ReadString("name", name_);
    helper.ReadFloat("pos_x", pos_[0]);
    helper.ReadFloat("pos_y", pos_[1]);
    if (helper.ReadFloat("pos_z", pos_[2]))
        ZChanged();
    helper.ReadFloat("ang", angle_);
    helper.ReadFloat("scale_x", scale_[0]);
    helper.ReadFloat("scale_y", scale_[1]);
    helper.ReadFloat("alp", own_state_.alpha);
    helper.ReadFloat("color_r", own_state_.red);
    helper.ReadFloat("color_g", own_state_.green);
    helper.ReadFloat("color_b", own_state_.blue);
    helper.ReadInt("blendmode", own_state_.blend);
    helper.ReadInt("attachtype", attach_type_);
    helper.ReadBool("active", active_);
    helper.ReadBool("input", input_);
    helper.ReadBool("visible", visible_);
    helper.ReadBool("drag", drag_);
    helper.ReadBool("realdrag", realdrag_);
    helper.ReadBool("inputrect_init", input_rect_defined_);
    if (input_rect_defined_)
        ReadRect(helper, kInputRectKeys, input_rect_);
    helper.ReadBool("croprect_init", crop_rect_defined_);
    if (crop_rect_defined_)
        ReadRect(helper, kCropRectKeys, crop_rect_);
    helper.ReadFloat("drawoff_x", own_state_.offset_x);
    helper.ReadFloat("drawoff_y", own_state_.offset_y);
    for (int slot : kEventKeyOrder)
        helper.ReadString(kEventKeys[slot], event_code_[slot]);
    std::string res;
    if (helper.ReadString("res", res))
        SetRes(res);
    local_dirty_ = true;
}

void tr_Object::Save(tr_SLHelper& helper) {
    helper.WriteString("name", name_);
    helper.WriteFloat("pos_x", pos_[0]);
    helper.WriteFloat("pos_y", pos_[1]);
    helper.WriteFloat("pos_z", pos_[2]);
    helper.WriteFloat("ang", angle_);
    helper.WriteFloat("scale_x", scale_[0]);
    helper.WriteFloat("scale_y", scale_[1]);
    helper.WriteFloat("alp", own_state_.alpha);
    helper.WriteFloat("color_r", own_state_.red);
    helper.WriteFloat("color_g", own_state_.green);
    helper.WriteFloat("color_b", own_state_.blue);
    helper.WriteInt("blendmode", own_state_.blend);
    helper.WriteInt("attachtype", attach_type_);
    helper.WriteBool("active", active_);
    helper.WriteBool("input", input_);
    helper.WriteBool("visible", visible_);
    helper.WriteBool("drag", drag_);
    helper.WriteBool("realdrag", realdrag_);
    helper.WriteBool("inputrect_init", input_rect_defined_);
    if (input_rect_defined_)
        WriteRect(helper, kInputRectKeys, input_rect_);
    helper.WriteBool("croprect_init", crop_rect_defined_);
    if (crop_rect_defined_)
        WriteRect(helper, kCropRectKeys, crop_rect_);
    helper.WriteFloat("drawoff_x", own_state_.offset_x);
    helper.WriteFloat("drawoff_y", own_state_.offset_y);
    for (int slot : kEventKeyOrder)
        helper.WriteString(kEventKeys[slot], event_code_[slot]);
    helper.WriteString("res", GetRes());

    const tr_Rect draw_rect = GetDrawRect();
    helper.SetInformationalMode(true);
    helper.WriteFloat("draw_width", draw_rect.w);
    helper.WriteFloat("draw_height", draw_rect.h);
    helper.SetInformationalMode(false);
}

void tr_Object::SetRes(const std::string& name) {
    if (name == res_name_)
        return;
    res_name_ = name;
    const bool was_loaded = resources_loaded_;
    if (was_loaded)
        UnloadResources();
    Deinitialise();
    Initialise();
    if (was_loaded)
        LoadResources();
}

std::shared_ptr<tr_Resource> tr_Object::GetResource() {
    return nullptr;
}

bool tr_Object::HitTest(float x, float y, const tr_DrawState& state) {
    return QuadContains(input_rect_, state.transform, x, y);
}

void tr_Object::Refresh(bool recursive) {
    if (!recursive)
        return;
    for (size_t i = 0; i < children_.size(); ++i)
        children_[i]->Refresh(true);
}

void tr_Object::Update(const tr_FrameInfo& frame) {
    ApplyModifiers(frame.dt);
}

bool tr_Object::HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) {
    if (event.type == TR_EVENT_KEY_DOWN || event.type == TR_EVENT_KEY_UP || picked || event.clipped)
        return false;
    if (!HitTest(event.x, event.y, state))
        return false;
    const tr_Object* dragged = tr_InputFocus::Dragged().Get();
    // A dragged object is never picked, so what lies under it can be.
    if (dragged == this)
        return false;
    if (dragged)
        return true;
    if (event.type == TR_EVENT_MOUSE_DOWN)
        tr_QueueObjectCall(name_, event_code_[TR_EVENT_MDOWN]);
    else if (event.type == TR_EVENT_MOUSE_UP)
        tr_QueueObjectCall(name_, event_code_[TR_EVENT_MUP]);
    return true;
}

void tr_Object::Draw(tr_Render* /*render*/, const tr_DrawState& /*state*/) {}

std::string tr_Object::GetEventCode(const tr_Object* object, int index) {
    if (!object)
        return std::string();
    return object->GetEventCodeRef(index);
}

const std::string& tr_Object::GetEventCodeRef(int index) const {
    if (index < 0 || index >= TR_EVENT_SLOT_COUNT)
        return kNoCode;
    return event_code_[index];
}

void tr_Object::SetEventCode(int index, const std::string& code) {
    if (index >= 0 && index < TR_EVENT_SLOT_COUNT)
        event_code_[index] = code;
}

void tr_Object::SetPosition(float x, float y) {
    pos_[0] = x;
    pos_[1] = y;
    local_dirty_ = true;
}

void tr_Object::SetPosZ(float z) {
    pos_[2] = z;
    ZChanged();
}

void tr_Object::ZChanged() {
    if (parent_)
        parent_->children_in_order_ = false;
}

void tr_Object::SetAngle(float angle) {
    angle_ = angle;
    local_dirty_ = true;
}

void tr_Object::SetScale(float x, float y) {
    scale_[0] = x;
    scale_[1] = y;
    local_dirty_ = true;
}

void tr_Object::SetColor(float red, float green, float blue) {
    own_state_.red = red;
    own_state_.green = green;
    own_state_.blue = blue;
}

void tr_Object::SetInputRect(const tr_Rect& rect) {
    input_rect_defined_ = true;
    input_rect_ = rect;
}

void tr_Object::SetCropRect(const tr_Rect& rect) {
    crop_rect_defined_ = true;
    crop_rect_ = rect;
}

void tr_Object::SetDragPosition(float x, float y, float z) {
    drag_pos_[0] = x;
    drag_pos_[1] = y;
    drag_pos_[2] = z;
}
