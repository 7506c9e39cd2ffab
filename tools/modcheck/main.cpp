// modcheck: finds the mistakes in a game's content before the game meets
// them. The game forgives bad content silently (a misspelt attribute is
// ignored, a picture in the wrong format draws nothing, a trigger with a
// syntax error only logs when it is first called), so mistakes show up
// late; this tool names each one as "file:line: message" and exits 1 when
// there is any.
#include "engine/resources/images/tr_PngConverter.h"
#include "engine/resources/text/tr_StringTable.h"
#include "game/level/tp_LevelObjectTypes.h"
#include "tools/modcheck/CheckReport.h"
#include "tools/modcheck/ContentIndex.h"
#include "tools/modcheck/GameFolder.h"
#include "tools/modcheck/ModuleChecker.h"
#include "tools/modcheck/ReferenceWriter.h"
#include "tools/modcheck/ResourceProbe.h"
#include "tools/modcheck/ScriptChecker.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: modcheck [--fix] GAME_FOLDER\n"
    "       modcheck [-s STRING_TABLE.xml]... MODULE.xml...\n"
    "       modcheck --fix IMAGE.png...\n"
    "       modcheck --reference\n"
    "\n"
    "Checks a game's content the way the game will load it and prints one line\n"
    "\"file:line: message\" per mistake: XML that does not parse, unknown object\n"
    "types and attribute names (with the nearest known name), missing or\n"
    "unloadable files (pictures the engine refuses, broken fonts, sounds,\n"
    "videos, animations, effects), string ids no table holds, triggers that do\n"
    "not compile or are never defined, and room names no room has.\n"
    "\n"
    "GAME_FOLDER is the folder holding config.xml (\"assets\"); modcheck works\n"
    "from its parent, as the game does, and checks every module, string table\n"
    "and script in it. Single modules are read relative to the current folder.\n"
    "\n"
    "  --fix       first rewrite every PNG the engine would refuse (16-bit, RGB,\n"
    "              grey or palette) as 8-bit RGBA with the same look, in place\n"
    "  -s FILE     a string table for the ids of single modules\n"
    "  --reference print the generated author's reference (docs/reference.md):\n"
    "              object types and attributes, script functions, message,\n"
    "              widget and cursor numbers\n"
    "  --help      this text\n"
    "\n"
    "Exit status: 0 no mistake, 1 mistakes found, 2 bad arguments.\n"
    "\n"
    "Examples:\n"
    "  modcheck assets\n"
    "  modcheck --fix assets\n"
    "  modcheck -s assets/strings.xml assets/levels/demo/demo.xml\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int FixFiles(const std::vector<std::string>& files) {
    int failures = 0;
    for (const std::string& file : files) {
        std::string format;
        std::string error;
        if (!tr_PngConverter::Describe(file, format, &error) ||
            !tr_PngConverter::ConvertToRgba8(file, &error)) {
            std::printf("%s: not converted: %s\n", file.c_str(), error.c_str());
            ++failures;
        } else if (format != tr_PngConverter::AcceptedFormat()) {
            std::printf("%s: converted from %s to %s\n", file.c_str(), format.c_str(),
                        tr_PngConverter::AcceptedFormat());
        }
    }
    return failures > 0 ? 1 : 0;
}

int Finish(const CheckReport& report, const std::string& what) {
    report.Print(stdout);
    if (report.Count() > 0) {
        std::printf("modcheck: %zu mistake%s\n", report.Count(), report.Count() == 1 ? "" : "s");
        return 1;
    }
    std::printf("modcheck: %s ok\n", what.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    bool fix = false;
    std::vector<std::string> tables;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argument == "--reference") {
            tp_RegisterLevelObjectTypes();
            ReferenceWriter::Write(stdout);
            return 0;
        } else if (argument == "--fix") {
            fix = true;
        } else if (argument == "-s") {
            if (++i == argc)
                return Usage();
            tables.push_back(argv[i]);
        } else if (!argument.empty() && argument[0] == '-') {
            std::fprintf(stderr, "modcheck: unknown argument \"%s\"\n", argument.c_str());
            return Usage();
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.empty())
        return Usage();
    tp_RegisterLevelObjectTypes();

    CheckReport report;
    if (paths.size() == 1 && IsDirectory(paths[0])) {
        GameFolder game;
        if (!game.Open(paths[0]))
            return 2;
        const int unconverted = fix ? game.FixImages() : 0;
        game.Check(report);
        const int status = Finish(report, paths[0]);
        return unconverted > 0 ? 1 : status;
    }
    if (fix)
        return FixFiles(paths);

    ResourceProbe probe;
    for (const std::string& table : tables) {
        std::string name = table;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0)
            name.resize(name.size() - 4);
        if (!tr_StringTable::GetOrCreate()->LoadStringTable(name)) {
            std::fprintf(stderr, "modcheck: cannot read the string table %s\n", table.c_str());
            return 2;
        }
    }
    ContentIndex index;
    ModuleChecker modules(report, index, &probe);
    for (const std::string& module : paths)
        modules.CheckModule(module, module);
    ScriptChecker(report, index).Run();
    return Finish(report, std::to_string(paths.size()) + " modules");
}
