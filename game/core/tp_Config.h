// tp_Config: the game's read-only configuration, shipped with the content as
// "assets/config.xml". Every field keeps its default until the file sets it;
// a missing file leaves them all at their defaults (with an error line) and
// the game still runs. One process-wide record, created before the engine
// and deleted after it (Create / Destroy); read through Get().
//
// The edition flags come from the "data" attribute of the "protected"
// element: a list of flag words (docs/config.md describes it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class tp_Config {
public:
    enum EditionFlag : uint32_t {
        EDITION_COLLECTORS = 1u << 0,
        EDITION_SURVEY = 1u << 1,
        EDITION_CHEAT = 1u << 2,
        EDITION_STREAMING = 1u << 3,
    };

    static tp_Config* Get() { return instance_; }
    // Replaces any previous record with a fresh one holding the defaults.
    static tp_Config* Create();
    static void Destroy();

    // Reads base + ".xml" from the content tree. False when the file is
    // missing or is not a configuration; the fields then keep what they had.
    bool Load(const std::string& base = "assets/config");
    // The same reading on a document already in memory; source names it in
    // error lines.
    bool LoadFromText(const std::string& text, const std::string& source);

    bool HasEdition(EditionFlag flag) const { return (edition_flags & flag) != 0; }
    bool IsCollectorsEdition() const { return HasEdition(EDITION_COLLECTORS); }
    bool IsSurveyEdition() const { return HasEdition(EDITION_SURVEY); }
    bool IsCheater() const { return HasEdition(EDITION_CHEAT); }
    bool IsStreaming() const { return HasEdition(EDITION_STREAMING); }

    // The string id of the window title: "window_title", with "_ce" for the
    // collector's edition.
    std::string WindowTitleKey() const;

    // The flags a "protected" data text names; unknown words are logged and
    // ignored.
    static uint32_t ParseEditionFlags(const std::string& data);

    std::string start_module;
    std::string start_trigger;
    std::string save_folder;
    bool default_fullscreen = true;
    bool default_widescreen = true;
    bool default_syscursor = false;
    int32_t default_performance = 0;
    float default_sfx_volume = 1.0f;
    float default_env_volume = 1.0f;
    float default_soundtrack_volume = 1.0f;
    float default_voice_volume = 1.0f;
    float default_gamma = 1.0f;
    float hint_casual_time = 0.0f;
    float hint_adv_time = 0.0f;
    float skip_casual_time = 0.0f;
    float skip_adv_time = 0.0f;
    int32_t inventory_size = 0;
    std::string url;
    std::string guide_url;
    std::string ignore_module;
    uint32_t edition_flags = 0;
    std::vector<std::string> string_files{"assets/strings"};

private:
    static tp_Config* instance_;
};
