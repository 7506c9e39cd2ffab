#include "apps/tarrow/StarterGame.h"

#include <filesystem>

namespace fs = std::filesystem;

bool StarterGame::Make(const std::string& template_dir, const std::string& target,
                       std::string& error) {
    std::error_code code;
    if (!fs::is_directory(fs::path(template_dir) / "assets", code)) {
        error = "no starter game at '" + template_dir + "'";
        return false;
    }
    const bool existed = fs::exists(target, code);
    if (existed && !(fs::is_directory(target, code) && fs::is_empty(target, code))) {
        error = "'" + target + "' exists and is not an empty folder";
        return false;
    }
    fs::create_directories(target, code);
    if (!code) {
        // Without copy_symlinks a link is copied as what it points to.
        fs::copy(template_dir, target, fs::copy_options::recursive, code);
    }
    if (code) {
        error = "cannot make the starter game in '" + target + "': " + code.message();
        std::error_code ignored;
        if (existed) {
            for (const auto& entry : fs::directory_iterator(target, ignored))
                fs::remove_all(entry.path(), ignored);
        } else {
            fs::remove_all(target, ignored);
        }
        return false;
    }
    return true;
}
