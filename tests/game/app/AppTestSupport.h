// Helpers for the application tests: a private user folder under /tmp (the
// file manager is pointed at it for the life of the helper) and text files
// written into it or into a content folder.
#pragma once

#include "engine/resources/files/tr_FileManager.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

class TempUserFolder {
public:
    TempUserFolder() {
        char pattern[] = "/tmp/tarrow_app_XXXXXX";
        const char* made = mkdtemp(pattern);
        root_ = made != nullptr ? made : "";
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            saved_ = old;
            had_value_ = true;
        }
        setenv("XDG_DATA_HOME", root_.c_str(), 1);
        tr_FileManager::Destroy();
        tr_FileManager::SetFolderNames("Brightfold", "App Test");
        tr_FileManager::GetOrCreate();
    }
    ~TempUserFolder() {
        tr_FileManager::Destroy();
        tr_FileManager::SetFolderNames("", "");
        if (had_value_) {
            setenv("XDG_DATA_HOME", saved_.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        if (!root_.empty()) {
            std::system(("rm -rf '" + root_ + "'").c_str());
        }
    }
    TempUserFolder(const TempUserFolder&) = delete;
    TempUserFolder& operator=(const TempUserFolder&) = delete;

    // A folder for content files outside the user folder.
    const std::string& Root() const { return root_; }
    std::string UserFile(const std::string& name) const {
        return root_ + "/Brightfold/App Test/" + name;
    }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string root_;
    std::string saved_;
    bool had_value_ = false;
};
