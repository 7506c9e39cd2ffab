// A private folder under /tmp for one test, removed with everything in it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/tarrow_files_XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != nullptr ? made : "";
    }
    ~TempFolder() {
        if (!path_.empty()) {
            std::system(("rm -rf '" + path_ + "'").c_str());
        }
    }
    const std::string& Path() const { return path_; }

    static void WriteText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool Exists(const std::string& path) {
        struct stat info;
        return stat(path.c_str(), &info) == 0;
    }
    static bool IsFolder(const std::string& path) {
        struct stat info;
        return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

private:
    std::string path_;
};

// Points the user folder at a temporary data home for the life of a test.
class UserFolderScope {
public:
    UserFolderScope(const std::string& data_home, const std::string& company,
                    const std::string& game);
    ~UserFolderScope();
    std::string Folder() const { return folder_; }

private:
    std::string folder_;
    std::string saved_;
    bool had_value_ = false;
};
