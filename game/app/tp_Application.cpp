// tp_Application: construction, messages, level switching and suspend.
// The display side (layout, toggle fullscreen) is in tp_Application_Display.cpp.
#include "game/app/tp_Application.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "game/app/tp_GameScriptApi.h"
#include "game/app/tp_ProfileManager.h"
#include "game/core/tp_Messages.h"
#include "game/level/tp_Level.h"

tp_Application* tp_Application::instance_ = nullptr;

namespace {

// Sounds of the old level fade out over this while the next one loads.
constexpr float kLevelSoundFadeOut = 2.0f;

std::string StringOf(const tr_MediatorDataTable& data, const char* key) {
    const tr_MediatorData* value = data.Find(key);
    return value ? value->GetString() : std::string();
}

void SendEmpty(int id) {
    tr_MediatorDataTable data;
    tr_Mediator::SendIfAny(id, data);
}

} // namespace

tp_Application::tp_Application() : tr_Object(kObjectName) {
    instance_ = this;
    tp_Application::ResetDefaults();
}

tp_Application::~tp_Application() {
    // The level goes first, while the application still answers whatever
    // its destruction asks and the profile manager takes its last save.
    if (tr_Object* level = level_.Get())
        delete level;
    profiles_.reset();
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
    if (instance_ == this)
        instance_ = nullptr;
}

void tp_Application::ResetDefaults() {
    tr_Object::ResetDefaults();
    if (tr_Mediator* mediator = tr_Mediator::Get()) {
        mediator->Unsubscribe(this);
        for (int id : {int(AppSwitchLevel), int(AppGetMatrix), int(AppGetWidth),
                       int(AppUpdateGameMode), int(AppIsForceFullscreen)})
            mediator->Subscribe(id, this);
    }
    tp_RegisterGameScriptApi(tr_EngineCore::Get()->GetScript().GetLua());
    level_.Reset();
    suspended_ = false;
    widescreen_ = false;
    forced_fullscreen_ = false;
    pending_switch_.reset();
    profiles_ = std::make_unique<tp_ProfileManager>();
}

void tp_Application::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    if (!pending_switch_)
        return;
    const tp_Level* level = GetLevel();
    // Without a level there is nothing to wait for.
    if (!level || level->GetState() == tp_Level::STATE_FADED_OUT)
        StartPendingLevel();
}

bool tp_Application::HandleInput(tr_InputEvent& /*event*/, tr_Object* /*picked*/,
                                 const tr_DrawState& /*state*/) {
    return true;
}

void tp_Application::OnMessage(int id, tr_MediatorDataTable& data) {
    switch (id) {
    case AppSwitchLevel:
        RequestLevelSwitch(data);
        break;
    case AppGetMatrix: {
        const tr_Matrix world = CurrentWorldMatrix();
        tr_MediatorDataArray* matrix = data.AddArray("matrix");
        for (float value : world.m)
            matrix->AddFloat(value);
        break;
    }
    case AppGetWidth:
        data.SetFloat("width", GetLayoutWidth());
        break;
    case AppIsForceFullscreen:
        data.SetInt("result", forced_fullscreen_ ? 1 : 0);
        break;
    default: // AppUpdateGameMode: heard, nothing to do here
        break;
    }
}

tr_Matrix tp_Application::CurrentWorldMatrix() {
    // Worked out now rather than taken from the last draw, so a reply right
    // after a display change is already right.
    tr_DrawState parent;
    if (parent_)
        parent.transform = parent_->GetWorldMatrix();
    return ComputeDrawState(this, parent, 0).transform;
}

void tp_Application::SetSuspended(bool suspended) {
    if (suspended == suspended_)
        return;
    suspended_ = suspended;
    SendEmpty(suspended ? Command_Pause_Show : Command_Pause_Hide);
    SetActive(!suspended);
    SetInputEnabled(!suspended);
}

void tp_Application::RequestLevelSwitch(const tr_MediatorDataTable& data) {
    // A later request replaces one still waiting.
    pending_switch_ = std::make_unique<tr_MediatorDataTable>(data);
    tp_Level* level = GetLevel();
    if (level && !level->IsLeaving())
        level->SetState(tp_Level::STATE_FADING_OUT);
}

void tp_Application::StartPendingLevel() {
    const std::unique_ptr<tr_MediatorDataTable> request = std::move(pending_switch_);
    CreateLevel(StringOf(*request, "module"), StringOf(*request, "start_triger"));
}

std::string tp_Application::GetPendingModule() const {
    return pending_switch_ ? StringOf(*pending_switch_, "module") : std::string();
}

tp_Level* tp_Application::GetLevel() const {
    return level_.GetAs<tp_Level>();
}

void tp_Application::UnloadLevel() {
    if (tr_Object* level = level_.Get())
        delete level;
    level_.Reset();
    if (tr_EngineCore* core = tr_EngineCore::GetIfCreated()) {
        core->GetTriggers().ClearQueue();
        DeleteChildren(core->GetScene().GetStorageRoot());
    }
    if (tr_SoundHub* sounds = tr_SoundHub::Get())
        sounds->FadeOutAll(kLevelSoundFadeOut);
}

void tp_Application::CreateLevel(const std::string& module, const std::string& start_trigger) {
    UnloadLevel();
    tp_Level* level = new tp_Level(module, start_trigger);
    level_.Set(level);
    Attach(this, level);
}
