// Script functions that reach the desktop: copying a content file into the
// player's documents folder (under the game's save folder), the wallpaper
// and screen-saver offers (which copy the file there and leave the desktop
// as it is), and opening a web address with the default handler. Scripts
// rely only on these never failing, so failures are silent.
#include "engine/core/tr_Desktop.h"
#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Config.h"

#include <lua.hpp>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The file name a content path ends in: what follows its last separator.
// Empty when that is no file name, so a copy never leaves its folder.
std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name == "." || name == "..") {
        name.clear();
    }
    return name;
}

// "<documents>/<save folder>", created when missing; empty when there is
// no documents folder or it cannot be made.
std::string DocumentsSaveFolder() {
    const tr_Desktop* desktop = tr_Desktop::Get();
    std::string folder =
        desktop ? desktop->GetDocumentsFolder() : tr_Desktop::UsualDocumentsFolder();
    if (folder.empty()) {
        return std::string();
    }
    const tp_Config* config = tp_Config::Get();
    if (config && !config->save_folder.empty()) {
        folder += "/" + config->save_folder;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) ? folder : std::string();
}

// Copies the content file at path into the documents save folder, replacing
// an earlier copy. The copy's path, or empty when nothing was copied.
std::string CopyToDocuments(const std::string& path) {
    const std::string name = FileNameOf(path);
    if (name.empty()) {
        return std::string();
    }
    const std::string source = tr_ContentPath::Resolve(path);
    std::error_code error;
    if (!fs::is_regular_file(source, error)) {
        return std::string();
    }
    const std::string folder = DocumentsSaveFolder();
    if (folder.empty()) {
        return std::string();
    }
    const std::string destination = folder + "/" + name;
    if (!fs::copy_file(source, destination, fs::copy_options::overwrite_existing, error)) {
        return std::string();
    }
    return destination;
}

int CopyFileToMyDocs(lua_State* L) {
    CopyToDocuments(tr_ScriptArgs(L).GetText(1));
    return 0;
}

int SetWallpaper(lua_State* L) {
    const std::string copied = CopyToDocuments(tr_ScriptArgs(L).GetText(1));
    if (!copied.empty()) {
        tr_Log("SetWallpaper: copied the picture to %s; the desktop is left as it is.",
               copied.c_str());
    }
    return 0;
}

int SetScreensaver(lua_State* L) {
    const std::string copied = CopyToDocuments(tr_ScriptArgs(L).GetText(1));
    if (!copied.empty()) {
        tr_Log("SetScreensaver: copied the screen saver to %s; the system settings are left as "
               "they are.",
               copied.c_str());
    }
    return 0;
}

int OpenBrowser(lua_State* L) {
    const std::string url = tr_ScriptArgs(L).GetText(1);
    if (tr_Desktop* desktop = tr_Desktop::Get()) {
        desktop->OpenUrl(url);
    }
    return 0;
}

} // namespace

void tp_RegisterDesktopScriptApi(lua_State* L) {
    lua_register(L, "CopyFileToMyDocs", CopyFileToMyDocs);
    lua_register(L, "SetWallpaper", SetWallpaper);
    lua_register(L, "OpenBrowser", OpenBrowser);
    lua_register(L, "SetScreensaver", SetScreensaver);
}
