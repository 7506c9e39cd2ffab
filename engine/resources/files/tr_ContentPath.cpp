#include "engine/resources/files/tr_ContentPath.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

namespace {

bool PathExists(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name ignoring ASCII case; when several
// match, the first in byte order, so the choice does not depend on the order
// the file system lists them in.
bool FindCaseInsensitive(const std::string& folder, const std::string& name, std::string& found) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    bool matched = false;
    while (const dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && (!matched || entry->d_name < found)) {
            found = entry->d_name;
            matched = true;
        }
    }
    closedir(dir);
    return matched;
}

} // namespace

std::string tr_ContentPath::NormaliseSeparators(const std::string& path) {
    std::string normalised = path;
    std::replace(normalised.begin(), normalised.end(), '\\', '/');
    return normalised;
}

std::string tr_ContentPath::Resolve(const std::string& path) {
    const std::string normalised = NormaliseSeparators(path);
    if (normalised.empty() || PathExists(normalised)) {
        return normalised;
    }
    std::string resolved;
    size_t pos = 0;
    if (normalised[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (pos <= normalised.size()) {
        size_t end = normalised.find('/', pos);
        if (end == std::string::npos) {
            end = normalised.size();
        }
        const std::string component = normalised.substr(pos, end - pos);
        pos = end + 1;
        if (component.empty()) {
            continue;
        }
        const std::string folder = resolved;
        std::string candidate = folder;
        if (!candidate.empty() && candidate.back() != '/') {
            candidate += '/';
        }
        std::string exact = candidate + component;
        if (component == "." || component == ".." || PathExists(exact)) {
            resolved = exact;
            continue;
        }
        std::string match;
        if (!FindCaseInsensitive(folder, component, match)) {
            return normalised;
        }
        resolved = candidate + match;
    }
    return resolved;
}

bool tr_ContentPath::Exists(const std::string& path) {
    return PathExists(Resolve(path));
}

FILE* tr_ContentPath::Open(const std::string& path, const char* mode) {
    return tr_FileReader::Open(Resolve(path), mode);
}

bool tr_ContentPath::ReadBinary(const std::string& path, std::vector<char>& data,
                                tr_FileReader::Kind kind) {
    return tr_FileReader::ReadAll(Resolve(path), kind, data);
}

bool tr_ContentPath::ReadText(const std::string& path, std::string& text,
                              tr_FileReader::Kind kind) {
    std::vector<char> data;
    if (!ReadBinary(path, data, kind)) {
        text.clear();
        return false;
    }
    text.assign(data.begin(), data.end());
    DropCarriageReturns(text);
    return true;
}

void tr_ContentPath::DropCarriageReturns(std::string& text) {
    size_t out = 0;
    for (size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') {
            continue;
        }
        text[out++] = text[in];
    }
    text.resize(out);
}
