#include "engine/resources/files/tr_FileManager.h"

#include "engine/platform/posix/tr_FileManager_Posix.h"

tr_FileManager* tr_FileManager::instance_ = nullptr;
std::string tr_FileManager::company_;
std::string tr_FileManager::game_;
const std::string* tr_FileManager::engine_company_ = nullptr;
const std::string* tr_FileManager::engine_game_ = nullptr;

tr_FileManager* tr_FileManager::GetOrCreate() {
    if (instance_ == nullptr) {
        instance_ = new tr_FileManager_Posix();
    }
    return instance_;
}

void tr_FileManager::Install(tr_FileManager* manager) {
    if (manager != instance_) {
        delete instance_;
        instance_ = manager;
    }
}

void tr_FileManager::Destroy() {
    delete instance_;
    instance_ = nullptr;
}

void tr_FileManager::SetFolderNames(const std::string& company, const std::string& game) {
    company_ = company;
    game_ = game;
    if (instance_ != nullptr) {
        instance_->OnFolderNamesChanged();
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
