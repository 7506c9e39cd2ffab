#include "engine/resources/files/tr_FileReader.h"

#include "engine/core/tr_Log.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct KindInfo {
    const char* name;
    size_t limit;
};

constexpr size_t kMiB = 1024 * 1024;

// Generous for real content (the largest demo module is a few hundred KB),
// small enough that a whole-file read never threatens the machine.
const KindInfo kKinds[] = {
    {"a module", 64 * kMiB},
    {"a string table", 32 * kMiB},
    {"a subtitle file", 8 * kMiB},
    {"a description file", 32 * kMiB},
    {"a configuration file", 4 * kMiB},
    {"a user file", 64 * kMiB},
    {"a font", 64 * kMiB},
    {"a media file", 256 * kMiB},
};

const KindInfo& Info(tr_FileReader::Kind kind) {
    const int index = static_cast<int>(kind);
    const int count = static_cast<int>(sizeof(kKinds) / sizeof(kKinds[0]));
    return kKinds[index >= 0 && index < count ? index : count - 1];
}

// open(2) flags for an fopen mode; -1 for a mode fopen would not take either.
int OpenFlags(const char* mode) {
    if (mode == nullptr) {
        return -1;
    }
    const bool plus = std::strchr(mode, '+') != nullptr;
    switch (mode[0]) {
    case 'r':
        return plus ? O_RDWR : O_RDONLY;
    case 'w':
        return (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a':
        return (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
    default:
        return -1;
    }
}

} // namespace

size_t tr_FileReader::Limit(Kind kind) {
    return Info(kind).limit;
}

const char* tr_FileReader::KindName(Kind kind) {
    return Info(kind).name;
}

FILE* tr_FileReader::Open(const std::string& path, const char* mode) {
    const int flags = OpenFlags(mode);
    if (path.empty() || flags < 0) {
        return nullptr;
    }
    // O_NONBLOCK: opening a FIFO would otherwise wait for its other end. A
    // file that is not regular is closed again before anything is read.
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == ENXIO) { // a FIFO opened for writing with nobody reading
            tr_Log("Error: \"%s\" is not a regular file, not opened.", path.c_str());
        }
        return nullptr;
    }
    struct stat info;
    const bool known = fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        // Folders are looked up as paths all the time: only oddities are logged.
        if (!known || !S_ISDIR(info.st_mode)) {
            tr_Log("Error: \"%s\" is not a regular file, not opened.", path.c_str());
        }
        close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = fdopen(fd, mode);
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

bool tr_FileReader::ReadAll(const std::string& path, Kind kind, std::vector<char>& data) {
    data.clear();
    FILE* file = Open(path, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = ReadStream(file, path, kind, data);
    std::fclose(file);
    return ok;
}

bool tr_FileReader::ReadStream(FILE* file, const std::string& name, Kind kind,
                               std::vector<char>& data) {
    data.clear();
    const size_t limit = Limit(kind);
    const auto refuse = [&]() {
        tr_Log("Error: \"%s\" is larger than %zu bytes, the limit for %s; not read.", name.c_str(),
               limit, KindName(kind));
        data.clear();
        data.shrink_to_fit();
        return false;
    };
    struct stat info;
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        if (static_cast<unsigned long long>(info.st_size) > limit) {
            return refuse();
        }
        data.reserve(static_cast<size_t>(info.st_size));
    }
    // The measured size is only a hint: the file may grow while it is read.
    char block[65536];
    while (true) {
        const size_t count = std::fread(block, 1, sizeof(block), file);
        if (data.size() + count > limit) {
            return refuse();
        }
        data.insert(data.end(), block, block + count);
        if (count < sizeof(block)) {
            break;
        }
    }
    if (std::ferror(file) != 0) {
        data.clear();
        return false;
    }
    return true;
}
