#include "engine/objects/particles/tr_PartSysImpl_Flux.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <algorithm>
#include <cmath>

namespace {

// Length of the 1/60-second frame the motion rules are written for.
constexpr float kFrameSeconds = 0.01667f;
constexpr float kFramesToSeconds = 0.017f;

// factor^k for a fractional number of frames k. A negative factor (which
// flips the value every frame) keeps its sign, so a frame of 1/60 s still
// gives the factor itself instead of NaN.
float FramePower(float factor, float k) {
    if (factor < 0.0f)
        return -std::pow(-factor, k);
    return std::pow(factor, k);
}

float Clamp01(float v) {
    if (!(v > 0.0f)) // also NaN
        return 0.0f;
    return v < 1.0f ? v : 1.0f;
}

} // namespace

tr_PartSysImpl_Flux::~tr_PartSysImpl_Flux() = default;

void tr_PartSysImpl_Flux::Load(tr_SLHelper& reader) {
    if (reader.BeginGroup("emit")) {
        while (reader.NextInGroup()) {
            auto emitter = std::make_unique<tr_FluxEmitter>();
            if (!emitter->Load(reader))
                WarnOnce(kWarnData, "a negative factor is applied with its sign kept");
            reader.Leave();
            emitters_.push_back(std::move(emitter));
        }
        reader.EndGroup();
    }
    Start();
}

void tr_PartSysImpl_Flux::LoadResources() {
    tr_ResourceRegistry* registry = tr_ResourceRegistry::GetOrCreate();
    for (auto& emitter : emitters_)
        emitter->texture = registry->GetTexture(emitter->res);
}

void tr_PartSysImpl_Flux::UnloadResources() {
    for (auto& emitter : emitters_) {
        emitter->texture.reset();
        emitter->batch.Release();
    }
}

void tr_PartSysImpl_Flux::Start() {
    if (active_)
        return;
    active_ = true;
    for (auto& emitter : emitters_) {
        emitter->Clear();
        emitter->delay_timer = emitter->delay_init;
        emitter->bursts_left = emitter->autooff == 0 ? -1 : emitter->autooff;
    }
    const int preproc = emitters_.empty() ? 0 : emitters_.front()->preproc;
    tr_FrameInfo step;
    step.dt = step.raw_dt = kPreprocStep;
    // Bounded like everything a file decides: a minute of history at most.
    for (int i = 0; i < std::min(preproc, 360); ++i)
        Update(step);
}

void tr_PartSysImpl_Flux::Stop(bool clear) {
    active_ = false;
    if (!clear)
        return;
    for (auto& emitter : emitters_)
        emitter->Clear();
}

int tr_PartSysImpl_Flux::GetParticleCount() const {
    size_t count = 0;
    for (const auto& emitter : emitters_)
        count += emitter->particles.size();
    return static_cast<int>(count);
}

void tr_PartSysImpl_Flux::Update(const tr_FrameInfo& frame) {
    if (paused_)
        return;
    if (active_ && !Emit(frame.dt))
        active_ = false;
    for (auto& emitter : emitters_)
        Move(*emitter, frame.dt);
}

bool tr_PartSysImpl_Flux::Emit(float dt) {
    // The spaces particles are drawn in, worked out only when a burst needs
    // them: the system's own space, or its parent's for free particles.
    bool spaces_known = false;
    tr_Matrix to_system;
    tr_Matrix to_parent;
    float system_x = 0.0f;
    float system_y = 0.0f;
    particle_count_ = GetParticleCount();
    int births_left = kMaxBirthsPerUpdate;
    bool any_left = false;
    for (auto& owned : emitters_) {
        tr_FluxEmitter& emitter = *owned;
        if (emitter.bursts_left == 0)
            continue;
        emitter.delay_timer -= dt;
        if (emitter.delay_timer <= 0.0f) {
            emitter.delay_timer = Spread(emitter.delay, emitter.delay_delta);
            float n = Spread(emitter.born_count, emitter.born_count_delta);
            if (!(n >= 1.0f))
                n = 1.0f;
            const float room = static_cast<float>(
                std::min(births_left, std::max(0, kMaxParticles - particle_count_)));
            if (n >= room + 1.0f) {
                WarnOnce(kWarnCap, "too many particles, bursts are cut short");
                n = room;
            }
            if (!spaces_known && (emitter.free || GetMaskObject())) {
                const tr_Matrix system_world = SystemWorld();
                const tr_Matrix parent_world = ParentWorld();
                to_system = WorldToSpace(system_world);
                to_parent = WorldToSpace(parent_world);
                system_x = system_world[12];
                system_y = system_world[13];
                to_parent.TransformPoint(system_x, system_y);
                spaces_known = true;
            }
            const tr_Matrix* to_space = emitter.free ? &to_parent : &to_system;
            for (; n >= 1.0f; n -= 1.0f) {
                Spawn(emitter, to_space, system_x, system_y);
                --births_left;
            }
            if (emitter.bursts_left > 0)
                --emitter.bursts_left;
        }
        if (emitter.bursts_left != 0)
            any_left = true;
    }
    return any_left;
}

void tr_PartSysImpl_Flux::Spawn(tr_FluxEmitter& e, const tr_Matrix* to_space, float system_x,
                                float system_y) {
    float ox = 0.0f;
    float oy = 0.0f;
    const bool masked = GetMaskObject() != nullptr;
    if (masked) {
        if (!SampleMask(ox, oy))
            return;
        to_space->TransformPoint(ox, oy);
    }
    tr_FluxParticle* p = tr_ParticlePool::Acquire();
    p->x = Spread(e.pos_x + ox, e.pos_x_delta);
    p->y = Spread(e.pos_y + oy, e.pos_y_delta);
    if (e.free && !masked) {
        p->x += system_x;
        p->y += system_y;
    }
    p->velocity_x = Spread(e.speed_x, e.speed_x_delta);
    p->velocity_y = Spread(e.speed_y, e.speed_y_delta);
    p->scale_x = Spread(e.scale_x, e.scale_x_delta);
    p->scale_y = Spread(e.scale_y, e.scale_y_delta);
    p->scale_speed_x = Spread(e.scale_x_speed, e.scale_x_speed_delta);
    const float shared_offset = p->scale_speed_x - e.scale_x_speed;
    p->scale_speed_y = Spread(e.scale_y_speed, e.scale_y_speed_delta);
    if (e.scale_mode == 1) {
        p->scale_y = p->scale_x;
        p->scale_speed_y = p->scale_speed_x;
    } else if (e.scale_mode == 2) {
        p->scale_speed_y = e.scale_y_speed + shared_offset;
    }
    p->drift = e.grav;
    p->course = Spread(e.grotate, e.grotate_delta);
    p->course_speed = Spread(e.grotate_speed, e.grotate_speed_delta);
    p->rotation = Spread(e.rotate, e.rotate_delta);
    p->angle = p->rotation;
    p->rotation_speed = Spread(e.rotate_speed, e.rotate_speed_delta);
    p->lifetime = Spread(e.lifetime, e.lifetime_delta);
    p->alpha = Spread(e.alpha, e.alpha_delta);
    p->alpha_speed = Spread(e.alpha_speed, e.alpha_speed_delta);
    p->peak_alpha = p->alpha;
    // A particle without lifetime dies in its first update; no fade needed.
    const float frames = p->lifetime > 0.0f ? p->lifetime / kFramesToSeconds : 0.0f;
    if (e.alpha_mode == 1)
        p->alpha_speed = frames > 0.0f ? -p->alpha / frames : 0.0f;
    else if (e.alpha_mode == 2)
        p->alpha_speed = frames > 0.0f ? (1.0f - p->alpha) / frames : 0.0f;
    p->red = Spread(e.color[0], e.color_delta[0]);
    p->red_speed = Spread(e.color_speed[0], e.color_speed_delta[0]);
    p->green = Spread(e.color[1], e.color_delta[1]);
    p->green_speed = Spread(e.color_speed[1], e.color_speed_delta[1]);
    p->blue = Spread(e.color[2], e.color_delta[2]);
    p->blue_speed = Spread(e.color_speed[2], e.color_speed_delta[2]);
    e.particles.push_back(p);
    ++particle_count_;
}

void tr_PartSysImpl_Flux::Move(tr_FluxEmitter& e, float dt) {
    // The per-frame factors are the same for every particle of the emitter.
    const float k = dt / kFrameSeconds;
    const float fx = FramePower(e.speed_xf, k);
    const float fy = FramePower(e.speed_yf, k);
    const float fgrav = FramePower(e.gravf, k);
    const float fsx = FramePower(e.scale_xf, k);
    const float fsy = FramePower(e.scale_yf, k);
    const float fcourse = FramePower(e.grotatef, k);
    const float frot = FramePower(e.rotatef, k);
    const bool polar = e.gflag == 1;
    const bool follow_course = e.course == 1;
    size_t kept = 0;
    for (tr_FluxParticle* p : e.particles) {
        if (polar) {
            p->x += k * std::cos(p->course) * p->velocity_x;
            p->y += k * std::sin(p->course) * p->velocity_y;
        } else {
            p->x += k * p->velocity_x;
            p->y += k * p->velocity_y;
        }
        p->velocity_x *= fx;
        p->velocity_y *= fy;
        p->y += k * p->drift;
        p->drift *= fgrav;
        p->scale_x += k * p->scale_speed_x;
        p->scale_y += k * p->scale_speed_y;
        p->scale_speed_x *= fsx;
        p->scale_speed_y *= fsy;
        p->course += k * p->course_speed;
        p->course_speed *= fcourse;
        p->rotation += k * p->rotation_speed;
        p->rotation_speed *= frot;
        p->angle = follow_course ? p->rotation - (3.141592f - p->course) : p->rotation;
        if (e.alpha_peak == 0.0f) {
            p->alpha += k * p->alpha_speed;
        } else {
            const float peak_time = e.alpha_peak * p->lifetime / 100.0f;
            const float fall_time = p->lifetime - peak_time;
            if (p->age < peak_time)
                p->alpha = p->peak_alpha * p->age / peak_time;
            else if (fall_time > 0.0f)
                p->alpha = p->peak_alpha - (p->age - peak_time) * p->peak_alpha / fall_time;
            else
                p->alpha = 0.0f;
        }
        p->red += k * p->red_speed;
        p->green += k * p->green_speed;
        p->blue += k * p->blue_speed;
        p->alpha = Clamp01(p->alpha);
        p->red = Clamp01(p->red);
        p->green = Clamp01(p->green);
        p->blue = Clamp01(p->blue);
        p->age += dt;
        if (p->lifetime <= p->age)
            tr_ParticlePool::Release(p);
        else
            e.particles[kept++] = p;
    }
    e.particles.resize(kept);
}

void tr_PartSysImpl_Flux::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render)
        return;
    for (auto& owned : emitters_) {
        tr_FluxEmitter& e = *owned;
        if (!e.texture || e.particles.empty())
            continue;
        tr_DrawState emitter_state = state;
        emitter_state.blend = e.blend;
        // Free particles live in the parent's space.
        tr_Matrix base = state.transform;
        if (e.free)
            base =
                owner_ && owner_->GetParent() ? owner_->GetParent()->GetWorldMatrix() : tr_Matrix();
        e.batch.Begin(static_cast<int>(e.particles.size()), e.texture.get(), emitter_state);
        for (const tr_FluxParticle* p : e.particles)
            e.batch.AddQuad(p->x, p->y, p->scale_x, p->scale_y, p->angle, base,
                            p->alpha * state.alpha, p->red * state.red, p->green * state.green,
                            p->blue * state.blue);
        e.batch.Draw(render, e.texture, emitter_state);
    }
}
