// tp_ProfileManager: the players' profiles and their saved games. Keeps the
// profile list ("profile_list.xml": names, ids, the current index) and one
// saved-game file "<id>.xml" per profile holding the Lua table tp_global.
// Every read goes to the file again and every write replaces the whole file
// atomically through the file manager, so a crash leaves the old or the new
// file. A list or saved game that cannot be read is moved aside to
// "<file>.bad" (logged) before anything could write over it.
//
// One instance, made by the application's ResetDefaults and deleted by the
// application right after its level (the level saves while it dies). It
// installs itself as the level's profile seam and as Get() while it lives.
// Uses the file manager and the engine core's Lua state at call time.
#pragma once

#include "game/app/tp_ProfileList.h"
#include "game/level/tp_ProfileSeam.h"

#include <set>
#include <string>
#include <vector>

class tp_ProfileManager : public tp_ProfileSeam {
public:
    static constexpr const char* kListFile = "profile_list.xml";
    static constexpr const char* kNoProfilesName = "tp_noprofiles";
    static constexpr const char* kErrorName = "tp_error";
    static constexpr const char* kCheatName = "wobbler";

    // Loads the list.
    tp_ProfileManager();
    ~tp_ProfileManager() override;
    tp_ProfileManager(const tp_ProfileManager&) = delete;
    tp_ProfileManager& operator=(const tp_ProfileManager&) = delete;

    static tp_ProfileManager* Get() { return instance_; }

    // Reads the list file: missing means no profiles; one that does not
    // parse leaves current -2 and is moved aside.
    void LoadList();
    // False when the file could not be written (logged; the old file stays).
    bool SaveList();

    // The name at index; "tp_noprofiles" for -1, "tp_error" for -2, "" for
    // any other index that names no profile.
    std::string NameOf(int index) const;
    std::string CurrentName() const { return NameOf(list_.current); }
    int GetCurrent() const { return list_.current; }
    const std::vector<tp_ProfileRecord>& GetProfiles() const { return list_.profiles; }

    // The current name, lower-cased byte by byte, is "wobbler".
    bool IsCheatProfile() const override;
    // The first profile with exactly this name becomes current; nothing
    // changes when none has it.
    void SetCurrent(const std::string& name);
    // Appends a profile with a new id (one more than the largest valid id);
    // false when the name is taken. Changes no file.
    bool Add(const std::string& name);
    // Removes the first profile with this name and its saved game, then
    // saves the list. The current index keeps naming its profile; it becomes
    // -1 when the current profile itself is deleted.
    void Delete(const std::string& name);

    // Merges the current profile's saved game into tp_global. False (and
    // "Error: while loading profile data!" logged) when the file is
    // damaged; false without a word when there is no profile or no file.
    bool LoadGameData();
    // Saves the list, then tp_global into the current profile's file.
    void SaveGameData() override;

private:
    static std::string SaveFileOf(const tp_ProfileRecord& record);
    // Copies the bytes to name + ".bad", then deletes name. When the copy
    // cannot be written, name is kept and never written again by this
    // manager.
    void MoveAside(const std::string& name, const char* data, size_t size);
    bool WriteFile(const std::string& name, const std::string& text);

    static tp_ProfileManager* instance_;

    tp_ProfileList list_;
    std::set<std::string> protected_files_;
};
