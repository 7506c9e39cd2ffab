#include "engine/objects/particles/tr_PartSysImpl.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/render/tr_Texture.h"

#include <memory>

namespace {

// A mask whose opaque pixels are this rare is treated as empty.
constexpr int kMaskAttempts = 256;

} // namespace

tr_PartSysImpl::~tr_PartSysImpl() = default;

float tr_PartSysImpl::Spread(float a, float d) {
    const float r = static_cast<float>(tr_Random::Next10000());
    return a + (r * (2.0f * d) / 10000.0f - d);
}

tr_Matrix tr_PartSysImpl::SystemWorld() const {
    return owner_ ? tr_Object::ComputeWorldTransform(owner_) : tr_Matrix();
}

tr_Matrix tr_PartSysImpl::ParentWorld() const {
    if (!owner_ || !owner_->GetParent())
        return tr_Matrix();
    return tr_Object::ComputeWorldTransform(owner_->GetParent());
}

tr_Matrix tr_PartSysImpl::WorldToSpace(const tr_Matrix& world) {
    tr_Matrix inverse;
    if (!world.Inverse2D(inverse))
        return tr_Matrix();
    return inverse;
}

bool tr_PartSysImpl::SampleMask(float& world_x, float& world_y) {
    tr_Object* mask = mask_.Get();
    if (!mask)
        return false;
    const auto texture = std::dynamic_pointer_cast<tr_Texture>(mask->GetResource());
    const int width = texture ? static_cast<int>(texture->GetWidth()) : 0;
    const int height = texture ? static_cast<int>(texture->GetHeight()) : 0;
    if (width < 1 || height < 1) {
        WarnOnce(kWarnMask, "the mask object has no texture to spawn from");
        return false;
    }
    const tr_DrawState untransformed;
    for (int attempt = 0; attempt < kMaskAttempts; ++attempt) {
        const float px = static_cast<float>(tr_Random::Next() % width) - width / 2.0f;
        const float py = static_cast<float>(tr_Random::Next() % height) - height / 2.0f;
        if (texture->HitTest(px, py, untransformed)) {
            world_x = px;
            world_y = py;
            tr_Object::ComputeWorldTransform(mask).TransformPoint(world_x, world_y);
            return true;
        }
    }
    WarnOnce(kWarnMask, "the mask object has no opaque pixel to spawn from");
    return false;
}

void tr_PartSysImpl::WarnOnce(int kind, const char* message) {
    if (warned_ & kind)
        return;
    warned_ |= kind;
    tr_Log("Warning: particle system \"%s\": %s", owner_ ? owner_->GetRes().c_str() : "", message);
}
