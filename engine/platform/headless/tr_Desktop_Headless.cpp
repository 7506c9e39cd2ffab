#include "engine/platform/headless/tr_Desktop_Headless.h"

bool tr_Desktop_Headless::OpenUrl(const std::string& url) {
    if (url.empty()) {
        return false;
    }
    opened_urls_.push_back(url);
    return true;
}

std::string tr_Desktop_Headless::GetDocumentsFolder() const {
    return documents_folder_.empty() ? UsualDocumentsFolder() : documents_folder_;
}
