// tr_FileManager_Posix: the file manager on Linux. It needs only POSIX calls,
// so the SDL and headless back ends share it. The user folder is
// $XDG_DATA_HOME (default ~/.local/share) / company / game, e.g.
// ~/.local/share/Brightfold/<game folder>/ holding settings.xml,
// profile_list.xml, saved games and logfile.txt.
//
// The folders are made when the manager is created and again before every
// write (so names set after creation still work); "logfile.txt" and the
// "*.tmp" files an interrupted write left behind are deleted the first time
// the user folder is known in this process. Whole-file writes go to
// "<name>.tmp" in the same folder, are synced, then renamed over the old file.
// Every file is opened through tr_FileReader (regular files only, user files
// read whole up to its user-data limit).
#pragma once

#include "engine/resources/files/tr_FileManager.h"

class tr_FileManager_Posix : public tr_FileManager {
public:
    tr_FileManager_Posix();

    int ReadUserFile(const std::string& name, std::vector<char>& buffer, int& size) override;
    bool WriteUserFile(const std::string& name, const void* data, int size, bool append) override;
    bool DeleteUserFile(const std::string& name) override;
    bool UserFileExists(const std::string& name) override;
    int ReadFile(const std::string& path, std::vector<char>& buffer, int& size) override;
    std::string Concat(const std::string& a, const std::string& b) override;
    bool FileExists(const std::string& path) override;
    std::string UserPath(const std::string& name) override;
    void OnFolderNamesChanged() override;

    // <data home>/<company>/<game>/ with the trailing "/", or empty while a
    // name or the data home is unknown.
    static std::string UserFolder();
    // $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
    static std::string DataHome();

private:
    // Makes the user folder (mkdir -p) and, the first time a folder is known,
    // deletes the old log. False when the folder is unknown or cannot be made.
    bool PrepareUserFolder();
    bool ReplaceAtomically(const std::string& path, const void* data, int size);

    std::string prepared_folder_;
};
