// tp_ProfileSeam: what the level needs from the player profiles: whether the
// current profile may use the cheat keys and saving the current profile's
// game data (the Lua table tp_global). The profile manager installs its own
// implementation; until one is installed the default stands for "no
// profile": nothing is saved and, as the cheat profile is one with a certain
// name, no profile is the cheat profile. Installed seams are not owned; their
// owner uninstalls them (Install(nullptr)) before dying.
#pragma once

class tp_ProfileSeam {
public:
    virtual ~tp_ProfileSeam() = default;

    // Whether the current profile is the cheat profile.
    virtual bool IsCheatProfile() const { return false; }
    // Saves the current profile's game data; nothing without a profile.
    virtual void SaveGameData() {}

    // The installed seam, or the "no profile" default.
    static tp_ProfileSeam& Get();
    static void Install(tp_ProfileSeam* seam) { installed_ = seam; }

private:
    static tp_ProfileSeam* installed_;
};
