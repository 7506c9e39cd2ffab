#include "engine/resources/tr_FileManager.h"

#include "engine/core/Tarrow.h"
#include "engine/platform/posix/tr_FileManager_Posix.h"

tr_FileManager* tr_FileManager::instance_ = nullptr;
std::string tr_FileManager::company_;
std::string tr_FileManager::game_;

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

const std::string& tr_FileManager::GetCompanyName() {
    const Tarrow* engine = Tarrow::Get();
    return engine != nullptr ? engine->GetCompanyName() : company_;
}

const std::string& tr_FileManager::GetGameName() {
    const Tarrow* engine = Tarrow::Get();
    return engine != nullptr ? engine->GetGameName() : game_;
}
