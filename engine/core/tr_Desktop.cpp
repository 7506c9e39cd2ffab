#include "engine/core/tr_Desktop.h"

#include <cstdlib>

tr_Desktop* tr_Desktop::instance_ = nullptr;

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

void tr_Desktop::Install(tr_Desktop* desktop) {
    if (desktop != instance_) {
        delete instance_;
        instance_ = desktop;
    }
}

void tr_Desktop::Destroy() {
    delete instance_;
    instance_ = nullptr;
}
