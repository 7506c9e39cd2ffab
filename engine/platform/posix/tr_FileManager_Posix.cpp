#include "engine/platform/posix/tr_FileManager_Posix.h"

#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_File.h"
#include "engine/resources/files/tr_FileReader.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kLogFileName = "logfile.txt";

// User folders whose log this process has already restarted. Process-wide, so
// a file manager re-created late in shutdown (by a last log line) does not
// wipe the log of the run that is ending.
std::set<std::string>& FoldersWithFreshLog() {
    static std::set<std::string> folders;
    return folders;
}

bool MakeFolders(const std::string& folder) {
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos == folder.size() || folder[pos] == '/') {
            const std::string part = folder.substr(0, pos);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
                return false;
            }
        }
    }
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The rest of a stream into size + 1024 bytes, zeros after the data.
int ReadWhole(FILE* file, const std::string& name, tr_FileReader::Kind kind,
              std::vector<char>& buffer, int& size) {
    if (!tr_FileReader::ReadStream(file, name, kind, buffer) || buffer.size() > INT_MAX - 1024) {
        buffer.clear();
        return tr_FileManager::READ_FAILED;
    }
    size = static_cast<int>(buffer.size());
    buffer.resize(buffer.size() + 1024, 0);
    return tr_FileManager::READ_OK;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

const char* const kTemporarySuffix = ".tmp";

// A write killed between creating its temporary file and renaming it leaves
// that file behind; nothing else in the user folder ends in the suffix.
void RemoveLeftoverTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const size_t suffix_length = std::strlen(kTemporarySuffix);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info;
        if (name.size() > suffix_length &&
            name.compare(name.size() - suffix_length, suffix_length, kTemporarySuffix) == 0 &&
            lstat((folder + name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            unlink((folder + name).c_str());
        }
    }
    closedir(dir);
}

void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

tr_FileManager_Posix::tr_FileManager_Posix() {
    PrepareUserFolder();
}

std::string tr_FileManager_Posix::DataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* entry = getpwuid(getuid());
        home = entry != nullptr ? entry->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] == '\0') {
        return std::string();
    }
    return std::string(home) + "/.local/share";
}

std::string tr_FileManager_Posix::UserFolder() {
    const std::string& company = GetCompanyName();
    const std::string& game = GetGameName();
    if (company.empty() || game.empty()) {
        return std::string();
    }
    const std::string home = DataHome();
    if (home.empty()) {
        return std::string();
    }
    return home + "/" + company + "/" + game + "/";
}

std::string tr_FileManager_Posix::UserPath(const std::string& name) {
    const std::string folder = UserFolder();
    return folder.empty() || name.empty() ? std::string() : folder + name;
}

bool tr_FileManager_Posix::PrepareUserFolder() {
    const std::string folder = UserFolder();
    if (folder.empty() || !MakeFolders(folder.substr(0, folder.size() - 1))) {
        return false;
    }
    if (folder != prepared_folder_) {
        prepared_folder_ = folder;
        if (FoldersWithFreshLog().insert(folder).second) {
            std::remove((folder + kLogFileName).c_str());
            RemoveLeftoverTemporaries(folder);
        }
    }
    return true;
}

void tr_FileManager_Posix::OnFolderNamesChanged() {
    PrepareUserFolder();
}

int tr_FileManager_Posix::ReadUserFile(const std::string& name, std::vector<char>& buffer,
                                       int& size) {
    const std::string path = UserPath(name);
    FILE* file = tr_FileReader::Open(path, "rb");
    if (file == nullptr) {
        buffer.clear();
        return READ_CANNOT_OPEN;
    }
    const int result = ReadWhole(file, path, tr_FileReader::KIND_USER_DATA, buffer, size);
    std::fclose(file);
    return result;
}

bool tr_FileManager_Posix::WriteUserFile(const std::string& name, const void* data, int size,
                                         bool append) {
    if (size < 0 || (size > 0 && data == nullptr) || !PrepareUserFolder()) {
        return false;
    }
    const std::string path = UserPath(name);
    if (path.empty()) {
        return false;
    }
    if (!append) {
        return ReplaceAtomically(path, data, size);
    }
    tr_File file(name, path);
    if (!file.Open(tr_File::MODE_APPEND_BINARY)) {
        return false;
    }
    return file.Write(data, size) == size;
}

bool tr_FileManager_Posix::ReplaceAtomically(const std::string& path, const void* data, int size) {
    const std::string temporary = path + kTemporarySuffix;
    // A fresh file of our own: whatever was left at that name (a FIFO would
    // block the write) goes first.
    unlink(temporary.c_str());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, static_cast<const char*>(data), static_cast<size_t>(size));
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) {
        SyncFolderOf(path);
        return true;
    }
    unlink(temporary.c_str());
    return false;
}

bool tr_FileManager_Posix::DeleteUserFile(const std::string& name) {
    const std::string path = UserPath(name);
    return !path.empty() && std::remove(path.c_str()) == 0;
}

bool tr_FileManager_Posix::UserFileExists(const std::string& name) {
    const std::string path = UserPath(name);
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

int tr_FileManager_Posix::ReadFile(const std::string& path, std::vector<char>& buffer, int& size) {
    FILE* file = tr_ContentPath::Open(path, "rb");
    if (file == nullptr) {
        buffer.clear();
        return READ_CANNOT_OPEN;
    }
    const int result = ReadWhole(file, path, tr_FileReader::KIND_MEDIA, buffer, size);
    std::fclose(file);
    return result;
}

std::string tr_FileManager_Posix::Concat(const std::string& a, const std::string& b) {
    return a + b;
}

bool tr_FileManager_Posix::FileExists(const std::string& path) {
    return tr_ContentPath::Exists(path);
}
