#include "engine/objects/particles/tr_PartSysImpl_Atm.h"

#include "engine/core/tr_Random.h"
#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kFieldOfView = 1.570796f;
constexpr float kAspect = 1.3333334f;
constexpr float kScreenHeight = 768.0f;
constexpr int kMaxWarmUpSteps = 50;

// A fresh draw in 0..0.9999.
float Unit() {
    return static_cast<float>(tr_Random::Next10000()) * 0.0001f;
}

float Length(const float v[3]) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// Rotation of a left-handed system: roll about z, then pitch about x, then
// yaw about y (row vectors).
tr_Matrix YawPitchRoll(float yaw, float pitch, float roll) {
    tr_Matrix z;
    z[0] = std::cos(roll);
    z[1] = std::sin(roll);
    z[4] = -std::sin(roll);
    z[5] = std::cos(roll);
    tr_Matrix x;
    x[5] = std::cos(pitch);
    x[6] = std::sin(pitch);
    x[9] = -std::sin(pitch);
    x[10] = std::cos(pitch);
    tr_Matrix y;
    y[0] = std::cos(yaw);
    y[2] = -std::sin(yaw);
    y[8] = std::sin(yaw);
    y[10] = std::cos(yaw);
    return z * x * y;
}

// (x, y, z, 1) * m.
void Transform(const tr_Matrix& m, const float p[3], float out[4]) {
    for (int c = 0; c < 4; ++c)
        out[c] = p[0] * m[c] + p[1] * m[4 + c] + p[2] * m[8 + c] + m[12 + c];
}

} // namespace

tr_PartSysImpl_Atm::~tr_PartSysImpl_Atm() {
    Stop(true);
}

void tr_PartSysImpl_Atm::Load(tr_SLHelper& reader) {
    if (reader.Enter("emit")) {
        params_.Load(reader);
        reader.Leave();
    }
    Start();
}

void tr_PartSysImpl_Atm::LoadResources() {
    texture_ = tr_ResourceRegistry::GetOrCreate()->GetTexture(params_.res);
    if (texture_) {
        width_ = texture_->GetWidth();
        height_ = texture_->GetHeight();
        u_max_ = width_ / texture_->GetAllocWidth();
        v_max_ = height_ / texture_->GetAllocHeight();
    } else {
        width_ = height_ = 10.0f;
        u_max_ = v_max_ = 1.0f;
    }
    // Textured or not, the effect starts developed when the file asks.
    if (params_.fast_start > 0.0f) {
        tr_FrameInfo step;
        step.dt = step.raw_dt = 0.1f;
        int i = 1;
        do {
            Update(step);
            ++i;
        } while (static_cast<float>(i) < params_.fast_start && i <= kMaxWarmUpSteps);
    }
}

void tr_PartSysImpl_Atm::UnloadResources() {
    texture_.reset();
    batch_.Release();
}

void tr_PartSysImpl_Atm::Stop(bool clear) {
    if (!active_)
        return;
    active_ = false;
    if (clear) {
        particles_.clear();
        draw_list_.clear();
    }
}

void tr_PartSysImpl_Atm::Update(const tr_FrameInfo& frame) {
    if (paused_ || !active_)
        return;
    const float dt = frame.dt;
    UpdateCamera();
    UpdateGust(dt);
    float force[3];
    for (int i = 0; i < 3; ++i)
        force[i] = (params_.gravity_force[i] + params_.wind_force[i] + gust_[i]) *
                   params_.particle_inv_mass;
    for (Particle& p : particles_)
        if (!p.dead)
            Move(p, dt, force);
    for (size_t i = 0; i < particles_.size();) {
        if (particles_[i].dead) {
            particles_[i] = particles_.back();
            particles_.pop_back();
        } else {
            ++i;
        }
    }
    Birth(dt);
    const tr_Matrix to_screen = view_ * projection_;
    draw_list_.clear();
    for (size_t i = 0; i < particles_.size(); ++i) {
        Project(particles_[i], to_screen);
        if (!particles_[i].dead)
            draw_list_.push_back(static_cast<int>(i));
    }
}

void tr_PartSysImpl_Atm::UpdateCamera() {
    const tr_AtmParams& p = params_;
    camera_ = YawPitchRoll(p.cam_ang[1], p.cam_ang[0], p.cam_ang[2]);
    camera_[12] = p.cam_pos[0];
    camera_[13] = p.cam_pos[1];
    camera_[14] = p.cam_pos[2];
    // The camera is a rotation plus a translation: its inverse is the
    // transposed rotation after the opposite translation.
    view_ = tr_Matrix();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            view_[r * 4 + c] = camera_[c * 4 + r];
    for (int c = 0; c < 3; ++c)
        view_[12 + c] =
            -(p.cam_pos[0] * view_[c] + p.cam_pos[1] * view_[4 + c] + p.cam_pos[2] * view_[8 + c]);
    const float y_scale = 1.0f / std::tan(kFieldOfView / 2.0f);
    const float depth = p.far_z - p.near_z;
    projection_ = tr_Matrix();
    projection_[0] = y_scale / kAspect;
    projection_[5] = y_scale;
    projection_[10] = depth != 0.0f ? p.far_z / depth : 1.0f;
    projection_[11] = 1.0f;
    projection_[14] = depth != 0.0f ? -p.near_z * p.far_z / depth : 0.0f;
    projection_[15] = 0.0f;

    const float sx = p.scr_clip_size_x / kScreenHeight / 2.0f;
    const float sy = p.scr_clip_size_y / kScreenHeight / 2.0f;
    std::fill(box_min_, box_min_ + 3, 1000000.0f);
    std::fill(box_max_, box_max_ + 3, -1000000.0f);
    for (int corner = 0; corner < 8; ++corner) {
        const float z = corner & 4 ? p.far_z : p.near_z;
        const float local[3] = {(corner & 1 ? z : -z) * sx, (corner & 2 ? z : -z) * sy, z};
        float world[4];
        Transform(camera_, local, world);
        for (int i = 0; i < 3; ++i) {
            box_min_[i] = std::min(box_min_[i], world[i]);
            box_max_[i] = std::max(box_max_[i], world[i]);
        }
    }
}

void tr_PartSysImpl_Atm::UpdateGust(float dt) {
    const tr_AtmParams& p = params_;
    gust_timer_ += dt;
    if (gust_state_ == 0) {
        if (gust_duration_ < gust_timer_) {
            std::copy(gust_, gust_ + 3, gust_start_);
            static const float kUp[3] = {0, 1, 0};
            static const float kOrigin[3] = {0, 0, 0};
            RandomPerpendicular(kUp, kOrigin, gust_target_);
            const float strength =
                p.rand_wind_min_force + Unit() * (p.rand_wind_max_force - p.rand_wind_min_force);
            for (float& v : gust_target_)
                v *= strength;
            gust_timer_ = 0.0f;
            gust_state_ = 1;
            gust_duration_ = 0.5f + Unit() * (2.0f - 0.5f);
        }
        return;
    }
    const float t = gust_timer_ / gust_duration_;
    for (int i = 0; i < 3; ++i)
        gust_[i] = gust_start_[i] + (gust_target_[i] - gust_start_[i]) * t;
    if (gust_duration_ < gust_timer_) {
        gust_state_ = 0;
        std::copy(gust_target_, gust_target_ + 3, gust_);
        gust_duration_ = p.rand_wind_min_wait_time +
                         Unit() * (p.rand_wind_max_wait_time - p.rand_wind_min_wait_time);
        gust_timer_ = 0.0f;
    }
}

void tr_PartSysImpl_Atm::Move(Particle& p, float dt, const float force[3]) {
    float acceleration[3] = {force[0], force[1], force[2]};
    const float speed = Length(p.velocity);
    if (speed > 0.0f) {
        const float drag = -speed * speed * params_.air_counterforce;
        for (int i = 0; i < 3; ++i)
            acceleration[i] += p.velocity[i] / speed * drag;
        if (params_.deviation != 0.0f) {
            float side[3];
            RandomPerpendicular(p.velocity, p.pos, side);
            const float amount = speed * Unit() * params_.deviation;
            for (int i = 0; i < 3; ++i)
                p.velocity[i] += side[i] * amount;
        }
    }
    for (int i = 0; i < 3; ++i) {
        p.velocity[i] += acceleration[i];
        p.pos[i] += p.velocity[i] * dt;
    }
    if (p.pos[1] > params_.floor_clip) {
        p.dead = true;
        return;
    }
    p.age += dt;
    p.life_alpha = LifeAlpha(p.age, params_.particle_life_time, p.pos[1], params_.floor_clip);
    if (p.life_alpha < 0.0f) {
        p.life_alpha = 0.0f;
        p.dead = true;
    }
}

float tr_PartSysImpl_Atm::LifeAlpha(float age, float life, float y, float floor_clip) {
    float fade = 1.0f;
    if (y > floor_clip - 0.1f)
        fade = 1.0f - (y - (floor_clip - 0.1f)) * 10.0f;
    if (age < 0.4f)
        return age * 2.5f * fade;
    if (age < life - 0.4f)
        return fade;
    if (age < life)
        return (1.0f - (age - (life - 0.4f)) / 0.4f) * fade;
    return -1.0f;
}

float tr_PartSysImpl_Atm::DepthAlpha(bool rain, float head_depth, float tail_depth) {
    const float near_depth = rain ? std::min(head_depth, tail_depth) : head_depth;
    const float far_depth = rain ? std::max(head_depth, tail_depth) : head_depth;
    float alpha = 1.0f;
    if (near_depth < 0.16f)
        alpha *= near_depth * 6.25f;
    if (far_depth > 0.85f)
        alpha *= 1.0f - (far_depth - 0.85f) * 6.25f;
    return alpha;
}

void tr_PartSysImpl_Atm::RandomPerpendicular(const float n[3], const float o[3], float out[3]) {
    out[0] = out[1] = out[2] = 0.0f;
    // Solving for the component of largest magnitude never divides by 0.
    int c = 0;
    for (int i = 1; i < 3; ++i)
        if (std::fabs(n[i]) > std::fabs(n[c]))
            c = i;
    if (n[c] == 0.0f || !std::isfinite(n[c]))
        return;
    float q[3];
    float sum = 0.0f;
    for (int i = 0; i < 3; ++i) {
        if (i == c)
            continue;
        q[i] = static_cast<float>(tr_Random::Next10000() - 5000);
        sum += n[i] * (q[i] - o[i]);
    }
    q[c] = o[c] - sum / n[c];
    for (int i = 0; i < 3; ++i)
        out[i] = q[i] - o[i];
    const float length = Length(out);
    if (length > 0.0f && std::isfinite(length))
        for (int i = 0; i < 3; ++i)
            out[i] /= length;
    else
        out[0] = out[1] = out[2] = 0.0f;
}

void tr_PartSysImpl_Atm::Birth(float dt) {
    float extent[3];
    for (int i = 0; i < 3; ++i)
        extent[i] = box_max_[i] - box_min_[i];
    const float count = extent[0] * extent[1] * extent[2] * params_.density * dt;
    if (!(count > 0.0f))
        return;
    const int room =
        std::min(kMaxBirthsPerUpdate, kMaxParticles - static_cast<int>(particles_.size()));
    for (int n = 1; n <= room; ++n) {
        Particle p = {};
        p.pos[2] = box_min_[2] + Unit() * extent[2];
        p.pos[0] = box_min_[0] + Unit() * extent[0];
        p.pos[1] = box_min_[1] + Unit() * extent[1];
        p.depth_alpha = 1.0f;
        particles_.push_back(p);
        if (!(static_cast<float>(n) < count))
            return;
    }
    WarnOnce(kWarnCap, "too many particles, births are cut short");
}

void tr_PartSysImpl_Atm::Project(Particle& p, const tr_Matrix& to_screen) {
    const bool rain = params_.type == 1;
    Transform(to_screen, p.pos, p.head);
    const float head_depth = p.head[3] != 0.0f ? p.head[2] / p.head[3] : -1.0f;
    float tail_depth = 0.0f;
    std::fill(p.tail, p.tail + 4, 0.0f);
    if (rain) {
        const float length = params_.rain_length_factor / 60.0f;
        const float end[3] = {p.pos[0] + p.velocity[0] * length, p.pos[1] + p.velocity[1] * length,
                              p.pos[2] + p.velocity[2] * length};
        Transform(to_screen, end, p.tail);
        const float w = p.tail[3];
        if (w != 0.0f)
            for (float& v : p.tail)
                v /= w;
        tail_depth = w != 0.0f ? p.tail[2] : -1.0f;
    }
    if (!(head_depth >= 0.0f && head_depth <= 1.0f && tail_depth >= 0.0f && tail_depth <= 1.0f)) {
        p.dead = true;
        return;
    }
    p.depth_alpha = DepthAlpha(rain, head_depth, tail_depth);
    const float half_x = params_.scr_clip_size_x / kScreenHeight / 2.0f;
    const float half_y = params_.scr_clip_size_y / kScreenHeight / 2.0f;
    const float sx = p.head[0] / p.head[3];
    const float sy = p.head[1] / p.head[3];
    if (sx < -half_x - 0.1f || sx > half_x + 0.1f || sy < -half_y - 0.2f || sy > half_y + 0.1f) {
        p.dead = true;
        return;
    }
    const float depth_range = params_.far_z - params_.near_z;
    p.head_size = params_.particle_scale / (depth_range * head_depth + params_.near_z);
    p.head[0] = sx * kScreenHeight;
    p.head[1] = sy * kScreenHeight;
    p.head[2] = head_depth;
    if (rain) {
        p.tail_size = params_.particle_scale / (depth_range * tail_depth + params_.near_z);
        p.tail[0] *= kScreenHeight;
        p.tail[1] *= kScreenHeight;
    }
}

void tr_PartSysImpl_Atm::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render || draw_list_.empty())
        return;
    const bool rain = params_.type == 1;
    batch_.Begin(static_cast<int>(draw_list_.size()), texture_.get(), state);
    for (int index : draw_list_) {
        const Particle& p = particles_[static_cast<size_t>(index)];
        const float a = state.alpha * p.depth_alpha * p.life_alpha;
        float px = p.head[0];
        float py = p.head[1];
        state.transform.TransformPoint(px, py);
        const float hw = width_ * p.head_size / 2.0f;
        const float hh = height_ * p.head_size / 2.0f;
        // A flake is a quad around its head; a streak runs to its tail.
        float tx = px;
        float ty = py;
        float tw = hw;
        float th = hh;
        if (rain) {
            tx = p.tail[0];
            ty = p.tail[1];
            state.transform.TransformPoint(tx, ty);
            tw = width_ * p.tail_size / 2.0f;
            th = height_ * p.tail_size / 2.0f;
        }
        batch_.AddVertex(px - hw, py - hh, 0, 0, a);
        batch_.AddVertex(px + hw, py - hh, u_max_, 0, a);
        batch_.AddVertex(tx + tw, ty + th, u_max_, v_max_, a);
        batch_.AddVertex(tx + tw, ty + th, u_max_, v_max_, a);
        batch_.AddVertex(tx - tw, ty + th, 0, v_max_, a);
        batch_.AddVertex(px - hw, py - hh, 0, 0, a);
    }
    batch_.Draw(render, texture_, state);
}
