#include "game/app/tp_DevMode.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/core/tr_EngineMessages.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorData.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/objects/tr_DevOverlay.h"
#include "engine/resources/text/tr_StringTable.h"
#include "game/app/tp_Application.h"
#include "game/core/tp_Config.h"
#include "game/level/tp_Level.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

tp_DevMode* tp_DevMode::instance_ = nullptr;

tp_DevMode::tp_DevMode(tp_DevOptions options) : options_(std::move(options)) {
    instance_ = this;
}

tp_DevMode::~tp_DevMode() {
    StopListening();
    if (instance_ == this)
        instance_ = nullptr;
}

void tp_DevMode::StopListening() {
    if (!listening_)
        return;
    listening_ = false;
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
}

void tp_DevMode::OnMessage(int id, tr_MediatorDataTable& data) {
    const tr_MediatorData* message = data.Find("message");
    if (id != TR_MSG_LOG || !message || !tr_DevOverlay::IsShown(message->GetString()))
        return;
    early_lines_.push_back(message->GetString());
    if (early_lines_.size() > tr_DevOverlay::kMaxLines)
        early_lines_.erase(early_lines_.begin());
}

void tp_DevMode::OnConfigured() {
    if (options_.enabled && !listening_) {
        if (tr_Mediator* mediator = tr_Mediator::Get()) {
            mediator->Subscribe(TR_MSG_LOG, this);
            listening_ = true;
        }
    }
    tp_Config* config = tp_Config::Get();
    if (!config || options_.level.empty())
        return;
    config->start_module = options_.level;
    config->start_trigger = options_.level_trigger;
}

std::string tp_DevMode::FindFont() {
    std::error_code error;
    std::vector<std::string> fonts;
    for (const auto& entry : std::filesystem::directory_iterator("assets/fonts", error)) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() == ".ttf" || path.extension() == ".trfnt")
            fonts.push_back((path.parent_path() / path.stem()).generic_string());
    }
    std::sort(fonts.begin(), fonts.end());
    return fonts.empty() ? std::string() : fonts.front();
}

void tp_DevMode::OnGameStarted(tr_Object* display_root, tp_Level* level) {
    if (options_.enabled) {
        tr_EngineCore::Get()->GetTriggers().SetReplaceOwnTriggers(true);
        tr_StringTable::GetOrCreate()->SetReportMissing(true);
        const std::string font = FindFont();
        if (font.empty())
            tr_Log("Warning: development mode: no font in assets/fonts for the error panel");
        tr_DevOverlay* overlay = new tr_DevOverlay(font);
        overlay_.Set(overlay);
        StopListening();
        for (std::string& line : early_lines_)
            overlay->Add(std::move(line));
        early_lines_.clear();
        if (display_root)
            tr_Object::Attach(display_root, overlay);
    }
    if (level && !options_.room.empty())
        level->SetStartRoom(options_.room, options_.subroom);
}

tr_DevOverlay* tp_DevMode::GetOverlay() const {
    return overlay_.GetAs<tr_DevOverlay>();
}

bool tp_DevMode::HandleInput(const tr_InputEvent& event) {
    if (!options_.enabled || event.type != TR_EVENT_KEY_DOWN || event.key != kReloadKey)
        return false;
    Reload();
    return true;
}

bool tp_DevMode::Reload() {
    tp_Application* application = tp_Application::Get();
    tp_Level* level = application ? application->GetLevel() : nullptr;
    if (!level) {
        tr_Log("Warning: development mode: no level to reload");
        return false;
    }
    const std::string module = level->GetModule();
    // A module that no longer parses leaves the level as it is, with the
    // parse error on the panel, rather than stopping the game.
    if (!tr_ModuleParses(module))
        return false;
    const tp_Room* room = level->GetCurrentRoom();
    const tp_SubRoom* subroom = level->GetCurrentSubRoom();
    const std::string room_name = room ? room->GetName() : std::string();
    const std::string subroom_name = subroom ? subroom->GetName() : std::string();
    const std::string trigger = level->GetFirstTrigger();

    if (tr_DevOverlay* overlay = GetOverlay())
        overlay->Clear();
    tr_StringTable::Destroy();
    tr_StringTable* strings = tr_StringTable::GetOrCreate();
    strings->SetReportMissing(true);
    if (const tp_Config* config = tp_Config::Get()) {
        for (const std::string& file : config->string_files)
            strings->LoadStringTable(file);
    }
    tr_Log("Development mode: reloading %s in room %s", module.c_str(), room_name.c_str());
    application->CreateLevel(module, trigger);
    if (tp_Level* fresh = application->GetLevel(); fresh && !room_name.empty())
        fresh->SetStartRoom(room_name, subroom_name);
    return true;
}
