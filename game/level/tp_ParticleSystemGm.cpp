#include "game/level/tp_ParticleSystemGm.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorData.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_SLHelper.h"
#include "game/core/tp_Messages.h"

tp_ParticleSystemGm::tp_ParticleSystemGm() {
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Subscribe(AppUpdateGameMode, this);
}

tp_ParticleSystemGm::~tp_ParticleSystemGm() {
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
}

void tp_ParticleSystemGm::Load(tr_SLHelper& helper) {
    tr_ParticleSystem::Load(helper);
    helper.ReadInt("game_mode", game_mode_);
}

void tp_ParticleSystemGm::Save(tr_SLHelper& helper) {
    tr_ParticleSystem::Save(helper);
    helper.WriteInt("game_mode", game_mode_);
}

void tp_ParticleSystemGm::ResetDefaults() {
    tr_ParticleSystem::ResetDefaults();
    game_mode_ = 0;
    current_mode_ = 0;
}

void tp_ParticleSystemGm::Update(const tr_FrameInfo& frame) {
    if (IsShown())
        tr_ParticleSystem::Update(frame);
}

void tp_ParticleSystemGm::Draw(tr_Render* render, const tr_DrawState& state) {
    if (IsShown())
        tr_ParticleSystem::Draw(render, state);
}

void tp_ParticleSystemGm::OnMessage(int id, tr_MediatorDataTable& data) {
    if (id != AppUpdateGameMode)
        return;
    if (tr_MediatorData* mode = data.Find("mode"))
        current_mode_ = mode->GetInt();
}
