#include "engine/core/tr_Desktop.h"

#include <cstdlib>

namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string tr_Desktop::UsualDocumentsFolder() {
    const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
    if (documents && *documents) {
        return WithoutTrailingSlashes(documents);
    }
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return WithoutTrailingSlashes(home) + "/Documents";
    }
    return std::string();
}
