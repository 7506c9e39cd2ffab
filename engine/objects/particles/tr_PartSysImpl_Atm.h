// tr_PartSysImpl_Atm: weather ("atm" effect files). Rain streaks or flakes
// are born uniformly in the view volume of a virtual camera, pushed by
// gravity, wind and random gusts, slowed by air drag, projected with a
// perspective camera and drawn as screen-space quads around the system's
// origin. Particles live by value in one array; removal moves the last
// record into the hole. Owned by a tr_ParticleSystem.
#pragma once

#include "engine/objects/particles/tr_AtmParams.h"
#include "engine/objects/particles/tr_PartSysImpl.h"
#include "engine/objects/particles/tr_ParticleBatch.h"
#include "engine/render/tr_Matrix.h"

#include <memory>
#include <vector>

class tr_Texture;

class tr_PartSysImpl_Atm : public tr_PartSysImpl {
public:
    struct Particle {
        float pos[3];
        float velocity[3];
        float life_alpha;
        float depth_alpha;
        float age;
        bool dead;
        float head[4]; // screen x, screen y, depth, w
        float tail[4];
        float head_size;
        float tail_size;
    };

    ~tr_PartSysImpl_Atm() override;
    void Load(tr_SLHelper& reader) override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    void Stop(bool clear) override;
    int GetParticleCount() const override { return static_cast<int>(particles_.size()); }

    const tr_AtmParams& GetParams() const { return params_; }
    const std::vector<Particle>& GetParticles() const { return particles_; }
    const float* GetGust() const { return gust_; }
    bool IsGustBlending() const { return gust_state_ == 1; }
    float GetGustDuration() const { return gust_duration_; }
    const tr_ParticleBatch& GetBatch() const { return batch_; }

    // Fade in over 0.4 s, out over the last 0.4 s of life and over the last
    // 0.1 units above the floor; negative once the particle is to die.
    static float LifeAlpha(float age, float life, float y, float floor_clip);
    // Fade near the near and far planes: depths are 0..1.
    static float DepthAlpha(bool rain, float head_depth, float tail_depth);
    // A random unit vector perpendicular to n (through o); zero for a zero n.
    static void RandomPerpendicular(const float n[3], const float o[3], float out[3]);

private:
    void UpdateCamera();
    void UpdateGust(float dt);
    void Move(Particle& p, float dt, const float force[3]);
    void Birth(float dt);
    void Project(Particle& p, const tr_Matrix& to_screen);

    tr_AtmParams params_;
    std::shared_ptr<tr_Texture> texture_;
    float width_ = 10.0f;
    float height_ = 10.0f;
    float u_max_ = 1.0f;
    float v_max_ = 1.0f;
    tr_Matrix camera_;
    tr_Matrix view_;
    tr_Matrix projection_;
    float box_min_[3] = {0, 0, 0};
    float box_max_[3] = {0, 0, 0};
    int gust_state_ = 0;
    float gust_timer_ = 1.0f;
    float gust_duration_ = 0.0f;
    float gust_[3] = {0, 0, 0};
    float gust_start_[3] = {0, 0, 0};
    float gust_target_[3] = {0, 0, 0};
    std::vector<Particle> particles_;
    std::vector<int> draw_list_;
    tr_ParticleBatch batch_;
};
