#include "game/core/tp_Settings.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_SLHelper_XML.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "game/core/tp_Config.h"

#include <tinyxml2.h>

#include <cmath>
#include <cstdio>
#include <vector>

tp_Settings* tp_Settings::instance_ = nullptr;

namespace {

const char* const kCategories[] = {"sfx", "env", "soundtrack", "voice"};

// A value that is not a finite number (from a hand-edited file) would poison
// the volumes or the gamma: the field keeps what it had.
void ReadFiniteFloat(const tinyxml2::XMLElement* element, const char* key, float& field) {
    float value = 0.0f;
    if (tr_SLHelper_XML::GetFloat(element, key, value) && std::isfinite(value)) {
        field = value;
    }
}

// Floats are written the way players read and edit them ("0.7", not
// "0.69999999").
void WriteFloat(tinyxml2::XMLElement* element, const char* key, float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    element->SetAttribute(key, text);
}

} // namespace

tp_Settings* tp_Settings::Create(const tp_Config& config) {
    delete instance_;
    instance_ = new tp_Settings(config);
    return instance_;
}

void tp_Settings::Destroy() {
    delete instance_;
    instance_ = nullptr;
}

tp_Settings::tp_Settings(const tp_Config& config)
    : fullscreen(config.default_fullscreen), widescreen(config.default_widescreen),
      syscursor(config.default_syscursor), performance(config.default_performance),
      sfx_volume(config.default_sfx_volume), env_volume(config.default_env_volume),
      soundtrack_volume(config.default_soundtrack_volume),
      voice_volume(config.default_voice_volume), gamma(config.default_gamma) {}

bool tp_Settings::Load() {
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    std::vector<char> buffer;
    int size = 0;
    if (files->ReadUserFile(kFileName, buffer, size) == tr_FileManager::READ_OK) {
        if (ReadXml(std::string(buffer.data(), static_cast<size_t>(size)))) {
            return true;
        }
        // A damaged file is treated like a missing one rather than leaving
        // the player with a file that is never read again.
        tr_Log("Warning: %s could not be read; using the default settings.", kFileName);
    }
    Save();
    return false;
}

bool tp_Settings::Save() const {
    const std::string text = ToXml();
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    if (!files->WriteUserFile(kFileName, text.data(), static_cast<int>(text.size()), false)) {
        tr_Log("Error: could not save %s.", kFileName);
        return false;
    }
    return true;
}

std::string tp_Settings::ToXml() const {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    tinyxml2::XMLElement* element = document.NewElement("settings");
    document.InsertEndChild(element);
    tr_SLHelper_XML::SetInt(element, "performance", performance);
    tr_SLHelper_XML::SetInt(element, "fullscreen", fullscreen ? 1 : 0);
    tr_SLHelper_XML::SetInt(element, "widescreen", widescreen ? 1 : 0);
    tr_SLHelper_XML::SetInt(element, "syscursor", syscursor ? 1 : 0);
    WriteFloat(element, "sfx_volume", sfx_volume);
    WriteFloat(element, "env_volume", env_volume);
    WriteFloat(element, "soundtrack_volume", soundtrack_volume);
    WriteFloat(element, "voice_volume", voice_volume);
    WriteFloat(element, "gamma", gamma);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
}

bool tp_Settings::ReadXml(const std::string& text) {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
        return false;
    }
    const tinyxml2::XMLElement* element = document.FirstChildElement();
    if (element == nullptr) {
        return false;
    }
    tr_SLHelper_XML::GetInt(element, "performance", performance);
    tr_SLHelper_XML::GetBool(element, "fullscreen", fullscreen);
    tr_SLHelper_XML::GetBool(element, "widescreen", widescreen);
    tr_SLHelper_XML::GetBool(element, "syscursor", syscursor);
    ReadFiniteFloat(element, "sfx_volume", sfx_volume);
    ReadFiniteFloat(element, "env_volume", env_volume);
    ReadFiniteFloat(element, "soundtrack_volume", soundtrack_volume);
    ReadFiniteFloat(element, "voice_volume", voice_volume);
    ReadFiniteFloat(element, "gamma", gamma);
    return true;
}

float tp_Settings::*tp_Settings::VolumeField(const std::string& category) {
    if (category == "sfx") {
        return &tp_Settings::sfx_volume;
    }
    if (category == "env") {
        return &tp_Settings::env_volume;
    }
    if (category == "soundtrack") {
        return &tp_Settings::soundtrack_volume;
    }
    if (category == "voice") {
        return &tp_Settings::voice_volume;
    }
    return nullptr;
}

void tp_Settings::SetVolume(const std::string& category, float value) {
    const float clamped = value >= 0.0f ? std::fmin(value, 1.0f) : 0.0f;
    if (float tp_Settings::*field = VolumeField(category)) {
        this->*field = clamped;
    }
    if (tr_SoundHub* hub = tr_SoundHub::Get()) {
        hub->SetCategoryVolume(category, clamped);
    }
}

float tp_Settings::GetVolume(const std::string& category) const {
    float tp_Settings::*field = VolumeField(category);
    return field != nullptr ? this->*field : 0.0f;
}

void tp_Settings::ApplyVolumes() {
    for (const char* category : kCategories) {
        SetVolume(category, GetVolume(category));
    }
}
