// tr_FileManager: the per-user data folder and the whole-file services the
// engine and game use for the log, settings, profiles and saved games, plus
// whole-file reads of content relative to the working directory.
//
// One instance exists per process: GetOrCreate() makes the platform
// implementation on first use (Install() can put another in its place, e.g.
// in tests) and Destroy() deletes it at shutdown. Creating it makes the user
// folder and deletes the previous run's "logfile.txt".
//
// The user folder is <data home>/<company>/<game>/. While the engine object
// lives, the two folder names are its own (Tarrow::GetCompanyName /
// GetGameName, set by the application), lent here with SetEngineNames and
// read every time a path is formed, so names set after the file manager was
// created still count. Without an engine object (tools, tests) the names
// given to SetFolderNames are used. While either name is empty the
// user folder is unknown and user-file operations fail.
#pragma once

#include "engine/core/tr_InstalledService.h"

#include <string>
#include <vector>

class tr_FileManager : public tr_InstalledService<tr_FileManager> {
public:
    // ReadUserFile / ReadFile results.
    enum ReadResult : int {
        READ_OK = 0,
        READ_CANNOT_OPEN = 2,
        READ_FAILED = 3,
    };

    tr_FileManager() = default;
    tr_FileManager(const tr_FileManager&) = delete;
    tr_FileManager& operator=(const tr_FileManager&) = delete;
    virtual ~tr_FileManager() = default;

    // The whole user file into buffer, which gets size + 1024 bytes with
    // zeros after the data (text can be used as a C string); buffer is
    // cleared on failure.
    virtual int ReadUserFile(const std::string& name, std::vector<char>& buffer, int& size) = 0;
    // append: add the block at the end. Otherwise the file is replaced as a
    // whole and atomically: a failed write leaves the old file as it was.
    // True only when the whole block reached the file.
    virtual bool WriteUserFile(const std::string& name, const void* data, int size,
                               bool append) = 0;
    virtual bool DeleteUserFile(const std::string& name) = 0;
    virtual bool UserFileExists(const std::string& name) = 0;
    // Like ReadUserFile for a content path (resolved through tr_ContentPath).
    virtual int ReadFile(const std::string& path, std::vector<char>& buffer, int& size) = 0;
    virtual std::string Concat(const std::string& a, const std::string& b) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The full path of a user file, or empty while the user folder is unknown.
    virtual std::string UserPath(const std::string& name) = 0;
    // Called when the folder names change: make the folders now.
    virtual void OnFolderNamesChanged() {}

    // The installed manager (Get, Install, Destroy come from
    // tr_InstalledService), made from the "posix" back end when none is.
    static tr_FileManager* GetOrCreate();

    // Folder names for use without an engine object.
    static void SetFolderNames(const std::string& company, const std::string& game);
    // The engine object's names, which win over SetFolderNames' while lent;
    // not owned: the engine lends them for its lifetime and takes them back
    // with nulls.
    static void SetEngineNames(const std::string* company, const std::string* game);
    static const std::string& GetCompanyName();
    static const std::string& GetGameName();

private:
    static std::string company_;
    static std::string game_;
    static const std::string* engine_company_;
    static const std::string* engine_game_;
};
