// tp_Settings: the player's settings, kept in "settings.xml" in the user
// folder. A fresh record takes every value from the configuration's defaults;
// Load then reads the file, and a file that is missing, unreadable or damaged
// is replaced by the current values at once, so the folder always ends up
// with a valid file. Saving replaces the file as a whole and atomically
// (through the file manager), so a crash never leaves half a file behind.
//
// One process-wide record, created after the configuration and the engine
// (Create / Destroy); read through Get(). Volumes are pushed into the sound
// hub (when one exists) by SetVolume.
#pragma once

#include <cstdint>
#include <string>

class tp_Config;

class tp_Settings {
public:
    static constexpr const char* kFileName = "settings.xml";

    static tp_Settings* Get() { return instance_; }
    // Replaces any previous record with a fresh one holding config's defaults.
    static tp_Settings* Create(const tp_Config& config);
    static void Destroy();

    explicit tp_Settings(const tp_Config& config);

    // True when the file was read; false when it had to be written afresh
    // from the current values.
    bool Load();
    // True when the whole file reached the disk.
    bool Save() const;

    // The file's text for the current values.
    std::string ToXml() const;
    // Reads the attributes of the document's first element, whatever its
    // name; attributes that are absent keep their values. False (nothing
    // changed) when the text is not XML or has no element.
    bool ReadXml(const std::string& text);

    // value is clamped to 0..1 (a value that is not a number counts as 0). The
    // four category names store it; every category, known or not, is passed
    // on to the sound hub.
    void SetVolume(const std::string& category, float value);
    // The stored volume of one of the four categories, 0 for any other name.
    float GetVolume(const std::string& category) const;
    // Pushes the four stored volumes into the sound hub.
    void ApplyVolumes();

    bool fullscreen = true;
    bool widescreen = true;
    bool syscursor = false;
    int32_t performance = 0;
    float sfx_volume = 1.0f;
    float env_volume = 1.0f;
    float soundtrack_volume = 1.0f;
    float voice_volume = 1.0f;
    float gamma = 1.0f;

private:
    // The field of one of the four categories, or null for any other name.
    static float tp_Settings::*VolumeField(const std::string& category);

    static tp_Settings* instance_;
};
