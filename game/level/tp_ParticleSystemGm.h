// tp_ParticleSystemGm: a particle system (type "partsys_gm") shown only in
// the game modes up to its "game_mode": it updates and draws while its
// game_mode is at least the mode last announced with AppUpdateGameMode, and
// otherwise freezes where it is. Listens to the mediator from construction
// to destruction; lives in the scene like any object.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/objects/particles/tr_ParticleSystem.h"

class tp_ParticleSystemGm : public tr_ParticleSystem, public tr_Listener {
public:
    tp_ParticleSystemGm();
    ~tp_ParticleSystemGm() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "partsys_gm"; }
    void ResetDefaults() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    void OnMessage(int id, tr_MediatorDataTable& data) override;

    int GetGameMode() const { return game_mode_; }
    int GetCurrentMode() const { return current_mode_; }

private:
    bool IsShown() const { return game_mode_ >= current_mode_; }

    int game_mode_ = 0;
    int current_mode_ = 0;
};
