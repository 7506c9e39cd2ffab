// CommandLine: the options of the tarrow executable. Parsing only checks
// the words themselves; files and folders are looked at by main afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CommandLine {
    struct Screenshot {
        uint64_t frame = 0; // 1 is the first frame
        std::string path;
    };

    bool headless = false;
    bool help = false;
    uint64_t frames = 0;    // 0: run until the window closes
    float fixed_dt = 0.0f;  // 0: the engine's own frame time
    std::string input_file; // scripted input
    std::string directory;  // -C: change here first
    std::string module;     // --module: engine only, this module instead of the game
    bool dev = false;       // --dev: error panel, reload key
    std::string room;       // --room ROOM[/SUBROOM]
    std::string subroom;
    std::string level; // --level MODULE[:TRIGGER]
    std::string level_trigger;
    std::string new_game; // --new DIR: make a starter game there and stop
    std::vector<Screenshot> screenshots;
    bool redraw_changed_only = true; // --redraw changed (the default), or full
    bool present_by_copy = true;     // --present copy (the default where possible), or swap

    // False with error set (one line naming the offending argument).
    bool Parse(const std::vector<std::string>& args, std::string& error);

    static const char* Usage();
};
