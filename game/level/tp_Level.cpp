#include "game/level/tp_Level.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/host/Tarrow.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/script/tr_CallQueue.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"
#include "game/level/tp_CheatHighlight.h"
#include "game/level/tp_LevelScriptGlobals.h"
#include "game/level/tp_ProfileSeam.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kLoadingModule = "assets/shared/interface/int_loading";
const char* const kLoadingName = "int_loading";

int IntOf(const tr_MediatorDataTable& data, const char* key) {
    const tr_MediatorData* value = data.Find(key);
    return value ? value->GetInt() : 0;
}

tr_Object* StorageRoot() {
    return tr_EngineCore::Get()->GetScene().GetStorageRoot();
}

} // namespace

tp_Level::tp_Level(const std::string& module, const std::string& start_trigger)
    : tr_Object("tp_level"), module_(module), first_trigger_(start_trigger) {
    tp_Level::ResetDefaults();
    LoadLevelModule(module);
    start_trigger_ = start_trigger;
}

tp_Level::~tp_Level() {
    if (!IsLoading())
        tp_ProfileSeam::Get().SaveGameData();
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
}

void tp_Level::SubscribeMessages() {
    tr_Mediator* mediator = tr_Mediator::Get();
    if (!mediator)
        return;
    mediator->Unsubscribe(this);
    for (int id :
         {LevelSwitchRoom, LevelSetAutoSave, LevelPause, LevelGetCurrentRoom, LevelIsLoading,
          LevelBlockSubRoomClose, LevelShowBlur, Event_Level_CheaterSaveScreenshot})
        mediator->Subscribe(id, this);
}

void tp_Level::ResetDefaults() {
    tr_Object::ResetDefaults();
    SubscribeMessages();
    tp_CreateLevelScriptGlobals();

    current_room_.Reset();
    old_room_.Reset();
    current_subroom_.Reset();
    loading_.Reset();
    block_subroom_close_ = false;
    autosave_ = false;
    blur_show_ = false;
    blur_refresh_ = false;
    blur_time_ = 0.0f;
    start_trigger_.clear();
    pending_room_.clear();

    CreateLayers();
    tp_CheatHighlight* highlight = new tp_CheatHighlight();
    highlight->SetLevel(this);
    Attach(this, highlight);
    CreateLoadingScreen();

    Attach(this, interface_.Get());
    Attach(this, level_internal_.Get());
    Attach(StorageRoot(), rooms_hub_.Get());
    SetState(STATE_LOADING);
}

void tp_Level::CreateLayers() {
    tr_Object* hub = new tr_Object("tp_rooms_hub");
    tr_Object* internal = new tr_Object("tp_level_internal");
    tp_Interface* widgets = new tp_Interface();
    internal->SetPosZ(0.0f);
    widgets->SetPosZ(1.0f);
    rooms_hub_.Set(hub);
    level_internal_.Set(internal);
    interface_.Set(widgets);

    tr_Sprite* blur = new tr_Sprite("tp_level_blur");
    blur->SetPosition(512.0f, 384.0f);
    blur->SetPosZ(2.0f);
    blur->SetScale(2.0f, 2.0f);
    blur->SetActive(false);
    blur->SetInputEnabled(false);
    blur->SetVisible(false);
    blur_.Set(blur);
    Attach(internal, blur);
}

void tp_Level::CreateLoadingScreen() {
    tr_LoadModule(kLoadingModule);
    tr_Object* loading = tr_EngineCore::Get()->GetScene().FindObject(kLoadingName);
    if (!loading)
        return;
    loading_.Set(loading);
    loading->SetPosZ(10.0f);
    loading->SetActive(false);
    loading->SetInputEnabled(false);
    Attach(StorageRoot(), loading);
    tr_QueueObjectCall(name_, "trg_int_loading_init");
    ParkInHub(loading);
}

void tp_Level::SetStartRoom(const std::string& room, const std::string& subroom) {
    start_room_ = room;
    start_subroom_ = subroom;
}

void tp_Level::ParkInHub(tr_Object* object) {
    tr_Object* hub = rooms_hub_.Get();
    Attach(hub ? hub : StorageRoot(), object);
}

void tp_Level::LoadLevelModule(const std::string& module) {
    // Module objects are parked under the storage root; the ones this
    // module leaves there are the level's rooms and belong in the hub.
    // Held weakly: module code may delete them, and a new object may then
    // reuse an address.
    tr_Object* storage = StorageRoot();
    std::vector<tr_ObjectRef> before;
    for (tr_Object* object : storage->GetChildren())
        before.emplace_back(object);
    // No name asks for nothing (a game folder without a configuration runs
    // on an empty level).
    if (!tr_LoadModule(module) && !module.empty()) {
        // Without its module a level has no rooms and its start trigger
        // none to switch to: the loading screen would stay for ever.
        const std::string reason = "the level module " + module +
                                   ".xml could not be loaded (the log says why); the game stops";
        tr_Log("Error: %s.", reason.c_str());
        if (Tarrow* engine = Tarrow::Get())
            engine->RequestExit(1, reason);
        return;
    }
    const std::vector<tr_Object*> after = storage->GetChildren();
    tr_Object* hub = rooms_hub_.Get();
    if (!hub)
        return;
    for (tr_Object* object : after) {
        const bool old = std::any_of(before.begin(), before.end(),
                                     [object](const tr_ObjectRef& ref) { return ref.Is(object); });
        if (object != hub && !old)
            Attach(hub, object);
    }
}

void tp_Level::Refresh(bool recursive) {
    tr_Object::Refresh(recursive);
    if (blur_show_)
        blur_refresh_ = true;
}

tp_Room* tp_Level::GetCurrentRoom() const {
    return current_room_.GetAs<tp_Room>();
}

tp_Room* tp_Level::GetOldRoom() const {
    return old_room_.GetAs<tp_Room>();
}

tp_SubRoom* tp_Level::GetCurrentSubRoom() const {
    return current_subroom_.GetAs<tp_SubRoom>();
}

tp_Interface* tp_Level::GetInterface() const {
    return interface_.GetAs<tp_Interface>();
}

tr_Sprite* tp_Level::GetBlur() const {
    return blur_.GetAs<tr_Sprite>();
}

void tp_Level::OnMessage(int id, tr_MediatorDataTable& data) {
    switch (id) {
    case LevelSwitchRoom:
        OnSwitchRoom(data);
        break;
    case LevelPause:
        if (tr_Object* internal = level_internal_.Get())
            internal->SetActive(IntOf(data, "pause") != 1);
        break;
    case LevelSetAutoSave:
        autosave_ = IntOf(data, "autosave") == 1;
        break;
    case LevelBlockSubRoomClose:
        block_subroom_close_ = IntOf(data, "block") == 1;
        break;
    case LevelShowBlur:
        blur_show_ = IntOf(data, "show") == 1;
        if (blur_show_)
            blur_refresh_ = true;
        break;
    case LevelGetCurrentRoom: {
        tr_Object* room = current_subroom_.Get();
        if (!room)
            room = current_room_.Get();
        data.SetPointer("room", room);
        break;
    }
    case LevelIsLoading:
        data.SetInt("loading", IsLoading() ? 1 : 0);
        break;
    default:
        break;
    }
}

void tp_Level::OnSwitchRoom(const tr_MediatorDataTable& data) {
    const tr_MediatorData* name_value = data.Find("room_name");
    const std::string name = name_value ? name_value->GetString() : std::string();
    const bool animate = IntOf(data, "fade") == 1;
    if (IntOf(data, "subroom") != 0) {
        if (IntOf(data, "subroom_close") != 0)
            CloseSubRoom(animate);
        else
            OpenSubRoom(name, IntOf(data, "subroom_start_x"), IntOf(data, "subroom_start_y"),
                        IntOf(data, "subroom_end_x"), IntOf(data, "subroom_end_y"), animate);
        return;
    }
    if (IsLoading()) {
        pending_room_ = name;
        return;
    }
    SwitchRoom(name, animate);
}

bool tp_Level::HandleInput(tr_InputEvent& event, tr_Object* /*picked*/,
                           const tr_DrawState& /*state*/) {
    if (event.type == TR_EVENT_KEY_DOWN && event.key == kEscapeKey && IsActive())
        HandleEscapeKey();
    if (event.type == TR_EVENT_KEY_DOWN && IsActive() && tp_ProfileSeam::Get().IsCheatProfile() &&
        tp_Config::Get() && tp_Config::Get()->IsCheater())
        HandleCheatKey(event.key);
    return true;
}

void tp_Level::HandleEscapeKey() {
    // Content without the trigger (a profile screen) hears nothing, and the
    // log stays free of missing-trigger errors.
    tr_EngineCore* core = tr_EngineCore::GetIfCreated();
    if (core && core->GetTriggers().FindTrigger(kEscapeTrigger))
        tr_QueueObjectCall(name_, kEscapeTrigger);
}

void tp_Level::HandleCheatKey(int key) {
    if (tr_Mediator* mediator = tr_Mediator::Get()) {
        tr_MediatorDataTable data;
        data.SetInt("key", key);
        mediator->Send(Event_Level_CheatKeyPressed, data);
    }
    char call[64];
    std::snprintf(call, sizeof(call), "trg_int_cheater_hotkey(%d)", key);
    tr_QueueObjectCall(name_, call);
}
