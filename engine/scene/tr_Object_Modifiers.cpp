// Keyframe modifiers of tr_Object: adding, removing and applying them once
// per update.
#include "engine/core/tr_SLHelper_OneVal.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_CallQueue.h"

#include <algorithm>

namespace {

float Clamp01(float value) {
    return std::min(1.0f, std::max(0.0f, value));
}

bool MovesTransform(int kind) {
    switch (kind) {
    case TR_MOD_POS_X:
    case TR_MOD_POS_Y:
    case TR_MOD_POS_XY:
    case TR_MOD_SCALE_X:
    case TR_MOD_SCALE_Y:
    case TR_MOD_SCALE_XY:
    case TR_MOD_ANGLE:
        return true;
    default:
        return false;
    }
}

bool SameSlot(const tr_Modifier& modifier, int kind, const std::string& attribute) {
    return modifier.kind == kind && (kind != TR_MOD_ATTRIBUTE || modifier.attribute == attribute);
}

} // namespace

bool tr_Object::AddModifier(int kind, const std::string& attribute, bool loop, bool relative,
                            const std::string& end_code, const float* keys, int value_count) {
    const int stride = tr_Modifier::ValuesPerKey(kind);
    if (stride == 0 || (kind == TR_MOD_ATTRIBUTE && attribute.empty()))
        return false;
    RemoveModifier(kind, attribute);
    tr_Modifier modifier;
    modifier.kind = kind;
    if (kind == TR_MOD_ATTRIBUTE)
        modifier.attribute = attribute;
    modifier.end_code = end_code;
    modifier.relative = relative;
    const int key_count = value_count > 0 ? value_count / stride : 0;
    modifier.curve =
        std::make_unique<tr_AnimCurve>(keys, key_count, tr_Modifier::Components(kind), loop);
    modifiers_.push_back(std::move(modifier));
    return true;
}

bool tr_Object::RemoveModifier(int kind, const std::string& attribute) {
    for (auto it = modifiers_.begin(); it != modifiers_.end(); ++it) {
        if (SameSlot(*it, kind, attribute)) {
            modifiers_.erase(it);
            local_dirty_ = true;
            return true;
        }
    }
    return false;
}

void tr_Object::ApplyModifiers(float dt) {
    // Results are rebuilt from scratch each update; once there are no
    // modifiers left they stay neutral and need no rebuilding.
    if (modifiers_.empty() && !has_modifier_results_)
        return;
    pos_offset_[0] = pos_offset_[1] = pos_offset_[2] = 0.0f;
    angle_offset_ = 0.0f;
    scale_factor_[0] = scale_factor_[1] = 1.0f;
    mod_state_ = ModifierColor();
    has_modifier_results_ = !modifiers_.empty();
    if (!has_modifier_results_) {
        local_dirty_ = true;
        return;
    }

    for (size_t i = 0; i < modifiers_.size(); ++i) {
        float value[3] = {0.0f, 0.0f, 0.0f};
        if (modifiers_[i].curve->Advance(dt, value))
            ApplyModifier(modifiers_[i], value);
    }

    for (size_t i = 0; i < modifiers_.size();) {
        tr_Modifier& modifier = modifiers_[i];
        if (modifier.curve->TakeCycleEnded())
            tr_QueueObjectCall(name_, modifier.end_code);
        if (modifier.curve->IsFinished()) {
            modifiers_.erase(modifiers_.begin() + static_cast<std::ptrdiff_t>(i));
            local_dirty_ = true;
        } else {
            ++i;
        }
    }
}

void tr_Object::ApplyModifier(const tr_Modifier& modifier, const float value[3]) {
    // Copied first: a named attribute runs the object's Load, which a
    // subclass may use to change its modifier list.
    const int kind = modifier.kind;
    const float c1 = value[0];
    const float c2 = value[1];
    const float c3 = value[2];
    if (modifier.relative) {
        switch (kind) {
        case TR_MOD_POS_X:
            pos_offset_[0] += c1;
            break;
        case TR_MOD_POS_Y:
            pos_offset_[1] += c1;
            break;
        case TR_MOD_POS_XY:
            pos_offset_[0] += c1;
            pos_offset_[1] += c2;
            break;
        case TR_MOD_SCALE_X:
            scale_factor_[0] *= c1;
            break;
        case TR_MOD_SCALE_Y:
            scale_factor_[1] *= c1;
            break;
        case TR_MOD_SCALE_XY:
            scale_factor_[0] *= c1;
            scale_factor_[1] *= c2;
            break;
        case TR_MOD_ANGLE:
            angle_offset_ += c1;
            break;
        case TR_MOD_ALPHA:
            mod_state_.alpha *= c1;
            break;
        case TR_MOD_RED:
            mod_state_.red *= c1;
            break;
        case TR_MOD_GREEN:
            mod_state_.green *= c1;
            break;
        case TR_MOD_BLUE:
            mod_state_.blue *= c1;
            break;
        case TR_MOD_RGB:
            mod_state_.red *= c1;
            mod_state_.green *= c2;
            mod_state_.blue *= c3;
            break;
        default:
            break;
        }
    } else {
        switch (kind) {
        case TR_MOD_POS_X:
            pos_[0] = c1;
            break;
        case TR_MOD_POS_Y:
            pos_[1] = c1;
            break;
        case TR_MOD_POS_XY:
            pos_[0] = c1;
            pos_[1] = c2;
            break;
        case TR_MOD_SCALE_X:
            scale_[0] = c1;
            break;
        case TR_MOD_SCALE_Y:
            scale_[1] = c1;
            break;
        case TR_MOD_SCALE_XY:
            scale_[0] = c1;
            scale_[1] = c2;
            break;
        case TR_MOD_ANGLE:
            angle_ = c1;
            break;
        case TR_MOD_ALPHA:
            own_state_.alpha = Clamp01(c1);
            break;
        case TR_MOD_RED:
            own_state_.red = Clamp01(c1);
            break;
        case TR_MOD_GREEN:
            own_state_.green = Clamp01(c1);
            break;
        case TR_MOD_BLUE:
            own_state_.blue = Clamp01(c1);
            break;
        case TR_MOD_RGB:
            own_state_.red = Clamp01(c1);
            own_state_.green = Clamp01(c2);
            own_state_.blue = Clamp01(c3);
            break;
        case TR_MOD_ATTRIBUTE:
            ApplyAttribute(modifier.attribute, c1);
            break;
        default:
            break;
        }
    }
    if (MovesTransform(kind))
        local_dirty_ = true;
}

void tr_Object::ApplyAttribute(const std::string& attribute, float value) {
    // The object's own Load picks the one value out, so any float attribute
    // of any type can be animated. The helper copies the key before Load runs.
    tr_SLHelper_OneVal helper(attribute, value);
    Load(helper);
}
