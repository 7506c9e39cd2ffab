#include "engine/objects/tr_ComplexAnimNode.h"

#include "engine/objects/tr_ComplexAnimTrack.h"
#include "engine/render/tr_Render.h"

void tr_ComplexAnimNode::ResetPose() {
    state = tr_DrawState();
    state.offset_x = drawoff_x;
    state.offset_y = drawoff_y;
    state.blend = blend;
    anim_x = anim_y = 0.0f;
    scale_x = scale_y = 1.0f;
    angle = 0.0f;
    visible = false;
    for (const auto& child : children)
        child->ResetPose();
}

void tr_ComplexAnimNode::SetValue(int kind, float value) {
    switch (kind) {
    case tr_ComplexAnimTrack::POS_X:
        anim_x = value;
        break;
    case tr_ComplexAnimTrack::POS_Y:
        anim_y = value;
        break;
    case tr_ComplexAnimTrack::SCALE_X:
        scale_x = value;
        break;
    case tr_ComplexAnimTrack::SCALE_Y:
        scale_y = value;
        break;
    case tr_ComplexAnimTrack::ANGLE:
        angle = value;
        break;
    case tr_ComplexAnimTrack::ALPHA:
        state.alpha = value;
        break;
    case tr_ComplexAnimTrack::RED:
        state.red = value;
        break;
    case tr_ComplexAnimTrack::GREEN:
        state.green = value;
        break;
    case tr_ComplexAnimTrack::BLUE:
        state.blue = value;
        break;
    case tr_ComplexAnimTrack::FRAME:
        // Truncation of a value outside int's range is undefined.
        state.frame = value > -2.0e9f && value < 2.0e9f ? static_cast<int>(value) : 0;
        break;
    default:
        break;
    }
    visible = true;
}

void tr_ComplexAnimNode::ComputePose(const tr_DrawState& parent) {
    if (!visible)
        return;
    state.transform = tr_MakeTransform(pos_x + anim_x, pos_y + anim_y, angle, scale_x, scale_y) *
                      parent.transform;
    state.alpha *= parent.alpha;
    state.red *= parent.red;
    state.green *= parent.green;
    state.blue *= parent.blue;
    for (const auto& child : children)
        child->ComputePose(state);
}

void tr_ComplexAnimNode::Draw(tr_Render* render, const tr_DrawState& object_state) const {
    if (!visible)
        return;
    if (texture) {
        tr_DrawState draw = state;
        draw.alpha *= object_state.alpha;
        draw.red *= object_state.red;
        draw.green *= object_state.green;
        draw.blue *= object_state.blue;
        draw.transform = state.transform * object_state.transform;
        render->DrawQuad(texture, draw);
    }
    for (const auto& child : children)
        child->Draw(render, object_state);
}
