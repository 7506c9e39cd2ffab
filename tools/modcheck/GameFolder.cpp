#include "tools/modcheck/GameFolder.h"

#include "engine/resources/images/tr_PngConverter.h"
#include "engine/resources/text/tr_StringTable.h"
#include "game/core/tp_Config.h"
#include "tools/modcheck/CheckReport.h"
#include "tools/modcheck/ContentIndex.h"
#include "tools/modcheck/ModuleChecker.h"
#include "tools/modcheck/ResourceProbe.h"
#include "tools/modcheck/ScriptChecker.h"

#include <tinyxml2.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

enum class XmlKind { Module, Workbook, Other };

XmlKind Classify(const std::string& path) {
    tinyxml2::XMLDocument document;
    if (document.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS) {
        // A module broken badly enough not to parse is still a module.
        std::ifstream file(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        return text.find("<module") != std::string::npos ? XmlKind::Module : XmlKind::Other;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root)
        return XmlKind::Other;
    const std::string name = root->Name();
    if (name == "module")
        return XmlKind::Module;
    if (name == "Workbook")
        return XmlKind::Workbook;
    return XmlKind::Other;
}

// The first line of file that holds text (1 when none does).
int LineOf(const std::string& file, const std::string& text) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find(text) != std::string::npos)
            return number;
    }
    return 1;
}

std::string WithoutExtension(const std::string& path) {
    return path.substr(0, path.size() - 4);
}

} // namespace

bool GameFolder::Open(const std::string& folder) {
    std::error_code error;
    const fs::path absolute = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (error || !fs::is_regular_file(absolute / "config.xml")) {
        std::fprintf(stderr, "modcheck: %s holds no config.xml\n", folder.c_str());
        return false;
    }
    content_ = absolute.filename().string();
    std::string given = folder;
    while (given.size() > 1 && given.back() == '/')
        given.pop_back();
    // Findings name files under the folder as it was given.
    prefix_ = given == content_ ? std::string() : given;
    if (chdir(absolute.parent_path().c_str()) != 0) {
        std::fprintf(stderr, "modcheck: cannot enter the folder above %s\n", folder.c_str());
        return false;
    }
    return true;
}

std::string GameFolder::Shown(const std::string& path) const {
    // path starts with content_; the folder as given stands in its place.
    return prefix_.empty() ? path : prefix_ + path.substr(content_.size());
}

std::vector<std::string> GameFolder::Files(const std::string& extension) const {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(content_, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && it->path().extension() == extension)
            files.push_back(it->path().generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

int GameFolder::FixImages() {
    int failures = 0;
    for (const std::string& file : Files(".png")) {
        std::string format;
        std::string error;
        if (!tr_PngConverter::Describe(file, format, &error)) {
            std::printf("%s: %s\n", Shown(file).c_str(), error.c_str());
            ++failures;
        } else if (format != tr_PngConverter::AcceptedFormat()) {
            if (tr_PngConverter::ConvertToRgba8(file, &error)) {
                std::printf("%s: converted from %s to %s\n", Shown(file).c_str(), format.c_str(),
                            tr_PngConverter::AcceptedFormat());
            } else {
                std::printf("%s: not converted: %s\n", Shown(file).c_str(), error.c_str());
                ++failures;
            }
        }
    }
    return failures;
}

void GameFolder::Check(CheckReport& report) {
    ResourceProbe probe;
    tp_Config* config = tp_Config::Create();
    const std::string config_file = content_ + "/config.xml";
    config->Load(content_ + "/config");

    tr_StringTable* strings = tr_StringTable::GetOrCreate();
    std::vector<std::string> tables;
    for (const std::string& table : config->string_files) {
        if (!fs::is_regular_file(table + ".xml"))
            report.Add(Shown(config_file), LineOf(config_file, "\"" + table + "\""),
                       "the string table \"" + table + "\" has no file " + table + ".xml");
        tables.push_back(table + ".xml");
    }
    std::vector<std::string> modules;
    for (const std::string& file : Files(".xml")) {
        const XmlKind kind = Classify(file);
        if (kind == XmlKind::Module)
            modules.push_back(file);
        else if (kind == XmlKind::Workbook &&
                 std::find(tables.begin(), tables.end(), file) == tables.end())
            tables.push_back(file);
    }
    for (const std::string& table : tables) {
        if (fs::is_regular_file(table))
            strings->LoadStringTable(WithoutExtension(table));
    }

    ContentIndex index;
    const int start_line = LineOf(config_file, "start_point");
    if (!config->start_module.empty()) {
        if (!fs::is_regular_file(config->start_module + ".xml"))
            report.Add(Shown(config_file), start_line,
                       "the start module \"" + config->start_module + "\" has no file " +
                           config->start_module + ".xml");
        if (!config->start_trigger.empty())
            index.required_triggers.push_back(
                {{Shown(config_file), start_line}, config->start_trigger});
    }
    ModuleChecker modules_checker(report, index, &probe);
    for (const std::string& module : modules)
        modules_checker.CheckModule(module, Shown(module));
    ScriptChecker(report, index).Run();
    tp_Config::Destroy();
}
