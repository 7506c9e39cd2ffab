#include "TempFolder.h"

#include "engine/resources/files/tr_FileManager.h"

UserFolderScope::UserFolderScope(const std::string& data_home, const std::string& company,
                                 const std::string& game) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) {
        saved_ = old;
        had_value_ = true;
    }
    setenv("XDG_DATA_HOME", data_home.c_str(), 1);
    tr_FileManager::Destroy();
    tr_FileManager::SetFolderNames(company, game);
    folder_ = data_home + "/" + company + "/" + game + "/";
}

UserFolderScope::~UserFolderScope() {
    tr_FileManager::Destroy();
    tr_FileManager::SetFolderNames("", "");
    if (had_value_) {
        setenv("XDG_DATA_HOME", saved_.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}
