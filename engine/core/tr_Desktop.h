// tr_Desktop: the few desktop services the game asks the system for (opening
// a web address with the user's default handler, and where the user keeps
// documents), behind a seam so the game never talks to the windowing system
// itself and tests can see what was asked without anything opening.
//
// One instance exists per process once a host installs one (the SDL back end
// or its headless twin); Get() is null before that, and callers then skip
// what needs the system. Install takes ownership; Destroy deletes the
// instance at shutdown.
#pragma once

#include "engine/core/tr_InstalledService.h"

#include <string>

class tr_Desktop : public tr_InstalledService<tr_Desktop> {
public:
    tr_Desktop() = default;
    tr_Desktop(const tr_Desktop&) = delete;
    tr_Desktop& operator=(const tr_Desktop&) = delete;
    virtual ~tr_Desktop() = default;

    // Hands url to the system's default handler; false when it refused.
    virtual bool OpenUrl(const std::string& url) = 0;

    // The user's documents folder without a trailing "/".
    virtual std::string GetDocumentsFolder() const { return UsualDocumentsFolder(); }

    // $XDG_DOCUMENTS_DIR when set, else $HOME/Documents; empty when neither
    // can be told. What callers use when no desktop is installed.
    static std::string UsualDocumentsFolder();
};
