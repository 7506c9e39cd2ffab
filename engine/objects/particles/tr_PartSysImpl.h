// tr_PartSysImpl: what a particle system object delegates to. The effect
// file's root "type" picks the implementation (flux, atm or complex); the
// owning tr_ParticleSystem creates it, sets the owner and destroys it. The
// mask object is a weak reference, so a deleted mask simply stops counting.
// Particles are kept in the space they are drawn in: the system's own space,
// or its parent's for "free" particles; the helpers here map world points
// (mask samples, the system's position) into that space.
#pragma once

#include "engine/core/tr_FrameInfo.h"
#include "engine/render/tr_DrawState.h"
#include "engine/scene/tr_ObjectRef.h"

#include <string>

class tr_Object;
class tr_ParticleSystem;
class tr_Render;
class tr_SLHelper;

class tr_PartSysImpl {
public:
    virtual ~tr_PartSysImpl();
    virtual void Load(tr_SLHelper& reader) = 0;
    virtual void LoadResources() = 0;
    virtual void UnloadResources() = 0;
    virtual void Update(const tr_FrameInfo& frame) = 0;
    virtual void Draw(tr_Render* render, const tr_DrawState& state) = 0;
    virtual void Start() { active_ = true; }
    virtual void Stop(bool /*clear*/) { active_ = false; }
    virtual void Pause(bool paused) { paused_ = paused; }
    virtual bool IsActive() const { return active_; }
    virtual int GetParticleCount() const = 0;

    void SetOwner(tr_ParticleSystem* owner) { owner_ = owner; }
    tr_ParticleSystem* GetOwner() const { return owner_; }
    void SetMaskObject(tr_Object* mask) { mask_.Set(mask); }
    tr_Object* GetMaskObject() const { return mask_.Get(); }
    bool IsPaused() const { return paused_; }

    // Most particles one system keeps alive, and most born in one update: a
    // bad file must not allocate millions of records.
    static constexpr int kMaxParticles = 100000;
    static constexpr int kMaxBirthsPerUpdate = 20000;

protected:
    // a ± d with one draw of the private generator: a + (r * 2d / 10000 - d).
    static float Spread(float a, float d);

    // World transform of the system, or of its parent (identity without
    // one); composed afresh so that a move since the last frame counts.
    tr_Matrix SystemWorld() const;
    tr_Matrix ParentWorld() const;
    // The matrix taking world points into the space drawn through world;
    // identity when world cannot be inverted (a scale of 0 draws nothing).
    static tr_Matrix WorldToSpace(const tr_Matrix& world);

    // A world point on an opaque pixel of the mask object's texture. False
    // without mask, texture or a hit after a bounded number of draws (a
    // fully transparent mask), which is logged once per system.
    bool SampleMask(float& world_x, float& world_y);

    // Logs "Warning: " + message once per system and kind of problem.
    void WarnOnce(int kind, const char* message);
    enum { kWarnMask = 1, kWarnCap = 2, kWarnData = 4 };

    tr_ParticleSystem* owner_ = nullptr;
    tr_ObjectRef mask_;
    bool active_ = false;
    bool paused_ = false;

private:
    int warned_ = 0;
};
