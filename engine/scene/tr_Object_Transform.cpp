// Transforms of tr_Object: local and world matrices, draw states, hit and
// crop tests.
#include "engine/scene/tr_InputFocus.h"
#include "engine/scene/tr_Object.h"

#include <cmath>

namespace {

// local * other for a local matrix made by tr_MakeTransform (2D affine: rows
// (a, b, 0, 0), (c, d, 0, 0), (0, 0, 1, 0), (tx, ty, 0, 1)); equal to the
// full product for any other, at a third of the cost. Runs for every object
// drawn or hit-tested, so it writes straight into the matrix kept (out may
// be neither input: the rows are stored once all are made).
inline void LocalTimes(const tr_Matrix& local, const tr_Matrix& other, tr_Matrix& out) {
    float rows[16];
    for (int col = 0; col < 4; ++col) {
        rows[col] = local.m[0] * other.m[col] + local.m[1] * other.m[4 + col];
        rows[4 + col] = local.m[4] * other.m[col] + local.m[5] * other.m[4 + col];
        rows[8 + col] = other.m[8 + col];
        rows[12 + col] =
            local.m[12] * other.m[col] + local.m[13] * other.m[4 + col] + other.m[12 + col];
    }
    for (int i = 0; i < 16; ++i)
        out.m[i] = rows[i];
}

} // namespace

const tr_Matrix& tr_Object::CachedLocalMatrix() {
    if (local_dirty_) {
        local_cache_ = tr_MakeTransform(pos_[0] + pos_offset_[0], pos_[1] + pos_offset_[1],
                                        angle_ + angle_offset_, scale_[0] * scale_factor_[0],
                                        scale_[1] * scale_factor_[1]);
        local_dirty_ = false;
    }
    return local_cache_;
}

tr_Matrix tr_Object::LocalMatrix(int mode) {
    const float x = pos_[0] + pos_offset_[0];
    const float y = pos_[1] + pos_offset_[1];
    switch (mode) {
    case 0:
        return CachedLocalMatrix();
    case 1:
        return tr_MakeTransform(x, y, 0.0f, scale_[0] * scale_factor_[0],
                                scale_[1] * scale_factor_[1]);
    case 2:
        return tr_MakeTransform(x, y, 0.0f, 1.0f, 1.0f);
    default:
        return tr_Matrix::Identity();
    }
}

tr_Matrix tr_Object::WorldMatrix(tr_Object* object, const tr_Matrix& local,
                                 const tr_Matrix& parent_matrix, int mode) {
    tr_Matrix world;
    const int attach = object->attach_type_;
    if (attach == TR_ATTACH_FULL) {
        LocalTimes(local, parent_matrix, world);
    } else if (attach >= TR_ATTACH_NO_ROTATION && attach <= TR_ATTACH_NONE_OF_PARENT) {
        tr_Matrix partial;
        tr_Matrix grandparent_world;
        if (tr_Object* parent = object->parent_) {
            // The parent's partial matrix is worked out here without being
            // stored, so the parent keeps the world matrix it was drawn with.
            partial =
                WorldMatrix(parent, parent->LocalMatrix(attach), tr_Matrix::Identity(), attach);
            if (parent->parent_)
                grandparent_world = parent->parent_->world_;
        }
        LocalTimes(local, partial * grandparent_world, world);
    } else {
        world = local;
    }
    if (mode != 3)
        PlaceIfDragged(object, world);
    return world;
}

void tr_Object::PlaceIfDragged(const tr_Object* object, tr_Matrix& world) {
    if (tr_InputFocus::Dragged().Is(object)) {
        world[12] = object->drag_pos_[0];
        world[13] = object->drag_pos_[1];
    }
}

tr_Matrix tr_Object::ComputeWorldTransform(tr_Object* object) {
    std::vector<tr_Object*> chain;
    for (tr_Object* at = object; at; at = at->GetParent())
        chain.push_back(at);
    tr_DrawState state;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        state = ComputeDrawState(*it, state, 0);
    return state.transform;
}

tr_DrawState tr_Object::ComputeDrawState(tr_Object* object, const tr_DrawState& parent, int mode) {
    // Runs for every object drawn: the usual case (mode 0, full attach) is
    // worked out here without copying the local matrix, the world matrix is
    // made once, in place, and the state is built field by field rather than
    // copied from the own state and patched.
    if (mode == 0 && object->attach_type_ == TR_ATTACH_FULL) {
        LocalTimes(object->CachedLocalMatrix(), parent.transform, object->world_);
        PlaceIfDragged(object, object->world_);
    } else {
        object->world_ = WorldMatrix(object, object->LocalMatrix(mode), parent.transform, mode);
    }
    const tr_DrawState& own = object->own_state_;
    const ModifierColor& mod = object->mod_state_;
    return tr_DrawState{mod.alpha * own.alpha * parent.alpha,
                        mod.red * own.red * parent.red,
                        mod.green * own.green * parent.green,
                        mod.blue * own.blue * parent.blue,
                        own.frame,
                        own.offset_x,
                        own.offset_y,
                        own.offset_z,
                        own.blend,
                        object->world_};
}

tr_Rect tr_Object::GetScreenCropRect(const tr_Matrix& world) const {
    tr_Rect rect;
    rect.x = crop_rect_.x;
    rect.y = crop_rect_.y;
    world.TransformPoint(rect.x, rect.y);
    rect.w = crop_rect_.w * std::sqrt(world[0] * world[0] + world[1] * world[1]);
    rect.h = crop_rect_.h * std::sqrt(world[4] * world[4] + world[5] * world[5]);
    return rect;
}

bool tr_Object::CropContains(float x, float y, const tr_Matrix& world) const {
    return !crop_rect_defined_ || QuadContains(crop_rect_, world, x, y);
}

bool tr_Object::QuadContains(const tr_Rect& rect, const tr_Matrix& world, float x, float y) {
    float px[4] = {rect.x, rect.x + rect.w, rect.x + rect.w, rect.x};
    float py[4] = {rect.y, rect.y, rect.y + rect.h, rect.y + rect.h};
    for (int i = 0; i < 4; ++i)
        world.TransformPoint(px[i], py[i]);
    bool inside = false;
    for (int i = 0, j = 3; i < 4; j = i++) {
        if ((py[i] > y) != (py[j] > y)) {
            const float cross_x = (px[j] - px[i]) * (y - py[i]) / (py[j] - py[i]) + px[i];
            if (x < cross_x)
                inside = !inside;
        }
    }
    return inside;
}
