// tr_PartSysImpl_Flux: the parametric particle effect ("flux" effect files).
// Each "emit" element becomes a tr_FluxEmitter that bursts particles with
// random spreads from the private generator and moves them by rules written
// per 1/60 s but applied for any frame time. Owned by a tr_ParticleSystem.
#pragma once

#include "engine/objects/particles/tr_FluxEmitter.h"
#include "engine/objects/particles/tr_PartSysImpl.h"

#include <memory>
#include <vector>

class tr_PartSysImpl_Flux : public tr_PartSysImpl {
public:
    ~tr_PartSysImpl_Flux() override;
    void Load(tr_SLHelper& reader) override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    void Start() override;
    void Stop(bool clear) override;
    int GetParticleCount() const override;

    const std::vector<std::unique_ptr<tr_FluxEmitter>>& GetEmitters() const { return emitters_; }

    // The frame time of one preproc step, seconds.
    static constexpr float kPreprocStep = 0.17f;

private:
    // Emission of one update; returns whether any emitter has bursts left.
    bool Emit(float dt);
    void Spawn(tr_FluxEmitter& emitter, const tr_Matrix* to_space, float system_x, float system_y);
    static void Move(tr_FluxEmitter& emitter, float dt);

    std::vector<std::unique_ptr<tr_FluxEmitter>> emitters_;
    int particle_count_ = 0;
};
