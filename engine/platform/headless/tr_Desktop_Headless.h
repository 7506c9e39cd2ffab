// tr_Desktop_Headless: the desktop seam without a desktop. Nothing opens: the
// addresses asked for are recorded in order (tests read them), and the
// documents folder is the one given, or the usual one when none was.
#pragma once

#include "engine/core/tr_Desktop.h"

#include <utility>
#include <vector>

class tr_Desktop_Headless : public tr_Desktop {
public:
    explicit tr_Desktop_Headless(std::string documents_folder = std::string())
        : documents_folder_(std::move(documents_folder)) {}

    // Records url; refuses only an empty one, as a real handler would.
    bool OpenUrl(const std::string& url) override;
    std::string GetDocumentsFolder() const override;

    const std::vector<std::string>& GetOpenedUrls() const { return opened_urls_; }

private:
    std::string documents_folder_;
    std::vector<std::string> opened_urls_;
};
