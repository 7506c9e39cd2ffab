#include "game/level/tp_ParticleSystemPm.h"

#include "game/core/tp_Settings.h"

bool tp_ParticleSystemPm::IsShown() {
    // Without settings (tools, tests) the effect runs as by default.
    const tp_Settings* settings = tp_Settings::Get();
    return !settings || settings->performance == 0;
}

void tp_ParticleSystemPm::Update(const tr_FrameInfo& frame) {
    if (IsShown())
        tr_ParticleSystem::Update(frame);
}

void tp_ParticleSystemPm::Draw(tr_Render* render, const tr_DrawState& state) {
    if (IsShown())
        tr_ParticleSystem::Draw(render, state);
}
