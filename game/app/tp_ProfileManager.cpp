#include "game/app/tp_ProfileManager.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_FileManager.h"
#include "game/app/tp_GameScriptSaveData.h"
#include "game/app/tp_SaveGameFile.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cctype>

tp_ProfileManager* tp_ProfileManager::instance_ = nullptr;

namespace {

lua_State* GameLua() {
    tr_EngineCore* core = tr_EngineCore::GetIfCreated();
    return core ? core->GetScript().GetLua() : nullptr;
}

} // namespace

tp_ProfileManager::tp_ProfileManager() {
    LoadList();
    instance_ = this;
    tp_ProfileSeam::Install(this);
}

tp_ProfileManager::~tp_ProfileManager() {
    if (&tp_ProfileSeam::Get() == this)
        tp_ProfileSeam::Install(nullptr);
    if (instance_ == this)
        instance_ = nullptr;
}

void tp_ProfileManager::LoadList() {
    list_ = tp_ProfileList();
    std::vector<char> buffer;
    int size = 0;
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    if (files->ReadUserFile(kListFile, buffer, size) != tr_FileManager::READ_OK) {
        // A list that is there but cannot be read is not an empty list: the
        // next save must not replace it.
        if (files->UserFileExists(kListFile)) {
            tr_Log("Error: %s could not be read; it is left as it is.", kListFile);
            list_.current = tp_ProfileList::kListError;
            protected_files_.insert(kListFile);
        }
        return;
    }
    if (list_.Parse(buffer.data(), size_t(size)))
        return;
    tr_Log("Error: %s could not be read; it is kept as %s.bad and the profiles start empty.",
           kListFile, kListFile);
    MoveAside(kListFile, buffer.data(), size_t(size));
}

bool tp_ProfileManager::SaveList() {
    return WriteFile(kListFile, list_.Print());
}

std::string tp_ProfileManager::NameOf(int index) const {
    if (index == tp_ProfileList::kNoProfile)
        return kNoProfilesName;
    if (index == tp_ProfileList::kListError)
        return kErrorName;
    if (index < 0 || size_t(index) >= list_.profiles.size())
        return std::string();
    return list_.profiles[size_t(index)].name;
}

bool tp_ProfileManager::IsCheatProfile() const {
    std::string name = CurrentName();
    for (char& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return name == kCheatName;
}

void tp_ProfileManager::SetCurrent(const std::string& name) {
    for (size_t i = 0; i < list_.profiles.size(); ++i) {
        if (list_.profiles[i].name == name) {
            list_.current = int(i);
            return;
        }
    }
}

bool tp_ProfileManager::Add(const std::string& name) {
    long long largest = -1;
    for (const tp_ProfileRecord& record : list_.profiles) {
        if (record.name == name)
            return false;
        largest = std::max(largest, tp_ProfileList::IdNumber(record.id));
    }
    list_.profiles.push_back({tp_ProfileList::MakeId(largest + 1), name});
    return true;
}

void tp_ProfileManager::Delete(const std::string& name) {
    for (size_t i = 0; i < list_.profiles.size(); ++i) {
        if (list_.profiles[i].name != name)
            continue;
        const std::string file = SaveFileOf(list_.profiles[i]);
        if (!file.empty() && !protected_files_.count(file))
            tr_FileManager::GetOrCreate()->DeleteUserFile(file);
        list_.profiles.erase(list_.profiles.begin() + long(i));
        // The index follows its profile; the deleted player's progress must
        // not land in somebody else's file at the next save.
        if (list_.current == int(i))
            list_.current = tp_ProfileList::kNoProfile;
        else if (list_.current > int(i))
            --list_.current;
        SaveList();
        return;
    }
}

bool tp_ProfileManager::LoadGameData() {
    if (list_.current < 0 || size_t(list_.current) >= list_.profiles.size())
        return false;
    const std::string file = SaveFileOf(list_.profiles[size_t(list_.current)]);
    lua_State* L = GameLua();
    std::vector<char> buffer;
    int size = 0;
    if (file.empty() || !L ||
        tr_FileManager::GetOrCreate()->ReadUserFile(file, buffer, size) != tr_FileManager::READ_OK)
        return false;
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    const tinyxml2::XMLElement* data = nullptr;
    const tp_SaveGameFile::Status status =
        tp_SaveGameFile::Open(buffer.data(), size_t(size), document, &data);
    if (status != tp_SaveGameFile::OK) {
        tr_Log("Error: while loading profile data!");
        tr_Log("Error: %s: %s; it is kept as %s.bad.", file.c_str(),
               tp_SaveGameFile::Describe(status), file.c_str());
        MoveAside(file, buffer.data(), size_t(size));
        return false;
    }
    if (data)
        tp_GameScriptSaveData::LoadGlobal(L, *data);
    return true;
}

void tp_ProfileManager::SaveGameData() {
    SaveList();
    if (list_.current < 0 || size_t(list_.current) >= list_.profiles.size())
        return;
    const std::string file = SaveFileOf(list_.profiles[size_t(list_.current)]);
    lua_State* L = GameLua();
    if (file.empty()) {
        tr_Log("Error: the profile id \"%s\" cannot name a file; its game is not saved.",
               list_.profiles[size_t(list_.current)].id.c_str());
        return;
    }
    if (L)
        WriteFile(file, tp_SaveGameFile::Sign(tp_GameScriptSaveData::SaveGlobal(L)));
}

std::string tp_ProfileManager::SaveFileOf(const tp_ProfileRecord& record) {
    return tp_ProfileList::IsValidId(record.id) ? record.id + ".xml" : std::string();
}

void tp_ProfileManager::MoveAside(const std::string& name, const char* data, size_t size) {
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    if (files->WriteUserFile(name + ".bad", data, int(size), false)) {
        files->DeleteUserFile(name);
        return;
    }
    tr_Log("Error: could not write %s.bad; %s is left untouched.", name.c_str(), name.c_str());
    protected_files_.insert(name);
}

bool tp_ProfileManager::WriteFile(const std::string& name, const std::string& text) {
    if (protected_files_.count(name))
        return false;
    if (tr_FileManager::GetOrCreate()->WriteUserFile(name, text.data(), int(text.size()), false))
        return true;
    tr_Log("Error: could not save %s; the previous file is kept.", name.c_str());
    return false;
}
