// tp_ParticleSystemPm: a particle system (type "partsys_pm") that only runs
// in full detail: it updates and draws while the settings' performance value
// is 0 and freezes, undrawn, otherwise, resuming where it stopped. Lives in
// the scene like any object.
#pragma once

#include "engine/objects/particles/tr_ParticleSystem.h"

class tp_ParticleSystemPm : public tr_ParticleSystem {
public:
    std::string GetType() const override { return "partsys_pm"; }
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

private:
    static bool IsShown();
};
