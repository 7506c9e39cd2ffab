#include "game/core/tp_Config.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_SLHelper_Text.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <tinyxml2.h>

#include <cctype>

tp_Config* tp_Config::instance_ = nullptr;

namespace {

// An attribute of a present element; absent reads as empty text.
std::string Text(const tinyxml2::XMLElement* element, const char* name) {
    const char* value = element->Attribute(name);
    return value != nullptr ? value : "";
}

int32_t Int(const tinyxml2::XMLElement* element, const char* name) {
    return tr_SLHelper_Text::ToInt(Text(element, name).c_str());
}

float Float(const tinyxml2::XMLElement* element, const char* name) {
    return tr_SLHelper_Text::ToFloat(Text(element, name).c_str());
}

// Only the integer 1 switches a default on ("2" or "true" do not).
bool Flag(const tinyxml2::XMLElement* element, const char* name) {
    return Int(element, name) == 1;
}

std::string Lower(std::string word) {
    for (char& c : word) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return word;
}

} // namespace

tp_Config* tp_Config::Create() {
    delete instance_;
    instance_ = new tp_Config();
    return instance_;
}

void tp_Config::Destroy() {
    delete instance_;
    instance_ = nullptr;
}

bool tp_Config::Load(const std::string& base) {
    const std::string path = base + ".xml";
    std::string text;
    if (!tr_ContentPath::ReadText(path, text, tr_FileReader::KIND_CONFIG)) {
        tr_Log("Error: could not find config file %s.", path.c_str());
        return false;
    }
    return LoadFromText(text, path);
}

bool tp_Config::LoadFromText(const std::string& text, const std::string& source) {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
        tr_Log("Error: config file %s is not valid XML (%s).", source.c_str(), document.ErrorStr());
        return false;
    }
    const tinyxml2::XMLElement* root = document.FirstChildElement("config");
    if (root == nullptr) {
        tr_Log("Error: config file %s has no config element.", source.c_str());
        return false;
    }
    if (const auto* start = root->FirstChildElement("start_point")) {
        start_module = Text(start, "module");
        start_trigger = Text(start, "trigger");
    }
    if (const auto* defaults = root->FirstChildElement("default_settings")) {
        default_performance = Int(defaults, "performance");
        default_fullscreen = Flag(defaults, "fullscreen");
        default_widescreen = Flag(defaults, "widescreen");
        default_syscursor = Flag(defaults, "syscursor");
        default_env_volume = Float(defaults, "env_volume");
        default_sfx_volume = Float(defaults, "sfx_volume");
        default_soundtrack_volume = Float(defaults, "soundtrack_volume");
        default_voice_volume = Float(defaults, "voice_volume");
    }
    if (const auto* widgets = root->FirstChildElement("interface_settings")) {
        hint_casual_time = Float(widgets, "hint_casual_time");
        hint_adv_time = Float(widgets, "hint_adv_time");
        skip_casual_time = Float(widgets, "skip_casual_time");
        skip_adv_time = Float(widgets, "skip_adv_time");
        inventory_size = Int(widgets, "inventory_size");
    }
    if (const auto* publisher = root->FirstChildElement("publisher_settings")) {
        url = Text(publisher, "url");
        guide_url = Text(publisher, "guide_url");
    }
    if (const auto* developer = root->FirstChildElement("developer_settings")) {
        ignore_module = Text(developer, "ignore_module");
    }
    string_files.assign(1, "assets/strings");
    if (const auto* list = root->FirstChildElement("strings_list")) {
        for (const auto* strings = list->FirstChildElement("strings"); strings != nullptr;
             strings = strings->NextSiblingElement("strings")) {
            // A "strings" entry without a file name would only load ".xml".
            const std::string res = Text(strings, "res");
            if (!res.empty()) {
                string_files.push_back(res);
            }
        }
    }
    if (const auto* protection = root->FirstChildElement("protected")) {
        edition_flags = ParseEditionFlags(Text(protection, "data"));
    }
    if (const auto* save = root->FirstChildElement("save_settings")) {
        save_folder = Text(save, "folder");
        if (IsCollectorsEdition()) {
            save_folder += " CE";
        }
        if (IsSurveyEdition()) {
            save_folder += " Survey";
        }
    }
    return true;
}

std::string tp_Config::WindowTitleKey() const {
    return IsCollectorsEdition() ? "window_title_ce" : "window_title";
}

uint32_t tp_Config::ParseEditionFlags(const std::string& data) {
    static const struct {
        const char* word;
        EditionFlag flag;
    } kWords[] = {
        {"collectors", EDITION_COLLECTORS},
        {"survey", EDITION_SURVEY},
        {"cheat", EDITION_CHEAT},
        {"streaming", EDITION_STREAMING},
    };
    uint32_t flags = 0;
    size_t pos = 0;
    while (pos < data.size()) {
        const size_t start = data.find_first_not_of(" \t\r\n,", pos);
        if (start == std::string::npos) {
            break;
        }
        size_t end = data.find_first_of(" \t\r\n,", start);
        if (end == std::string::npos) {
            end = data.size();
        }
        const std::string word = Lower(data.substr(start, end - start));
        bool known = false;
        for (const auto& entry : kWords) {
            if (word == entry.word) {
                flags |= entry.flag;
                known = true;
            }
        }
        if (!known) {
            tr_Log("Warning: unknown edition flag \"%s\" in the config file.", word.c_str());
        }
        pos = end;
    }
    return flags;
}
