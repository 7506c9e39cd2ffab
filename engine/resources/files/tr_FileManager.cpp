#include "engine/resources/files/tr_FileManager.h"

#include "engine/core/tr_Backends.h"

std::string tr_FileManager::company_;
std::string tr_FileManager::game_;
const std::string* tr_FileManager::engine_company_ = nullptr;
const std::string* tr_FileManager::engine_game_ = nullptr;

tr_FileManager* tr_FileManager::GetOrCreate() {
    if (Get() == nullptr) {
        Install(tr_Backends::MakeFileManager("posix").release());
    }
    return Get();
}

void tr_FileManager::SetFolderNames(const std::string& company, const std::string& game) {
    company_ = company;
    game_ = game;
    if (tr_FileManager* manager = Get()) {
        manager->OnFolderNamesChanged();
    }
}

void tr_FileManager::SetEngineNames(const std::string* company, const std::string* game) {
    engine_company_ = company;
    engine_game_ = game;
}

const std::string& tr_FileManager::GetCompanyName() {
    return engine_company_ != nullptr ? *engine_company_ : company_;
}

const std::string& tr_FileManager::GetGameName() {
    return engine_game_ != nullptr ? *engine_game_ : game_;
}
