#include "apps/tarrow/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool ParseFrames(const std::string& text, uint64_t& frames) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || value == 0) {
        return false;
    }
    frames = value;
    return true;
}

bool ParseSeconds(const std::string& text, float& seconds) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0.0 || value > 10.0) {
        return false;
    }
    seconds = static_cast<float>(value);
    return true;
}

bool ParseScreenshot(const std::string& text, CommandLine::Screenshot& shot) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 == text.size() ||
        !ParseFrames(text.substr(0, colon), shot.frame)) {
        return false;
    }
    shot.path = text.substr(colon + 1);
    return true;
}

} // namespace

bool CommandLine::Parse(const std::vector<std::string>& args, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takes_value = arg == "--frames" || arg == "--fixed-dt" || arg == "--input" ||
                                 arg == "-C" || arg == "--screenshot" || arg == "--module" ||
                                 arg == "--room" || arg == "--level" || arg == "--new" ||
                                 arg == "--redraw" || arg == "--present";
        if (takes_value && i + 1 >= args.size()) {
            error = "option '" + arg + "' needs a value";
            return false;
        }
        if (arg == "--headless") {
            headless = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--frames") {
            const std::string& value = args[++i];
            if (!ParseFrames(value, frames)) {
                error = "--frames needs a whole number above 0, not '" + value + "'";
                return false;
            }
        } else if (arg == "--fixed-dt") {
            const std::string& value = args[++i];
            if (!ParseSeconds(value, fixed_dt)) {
                error = "--fixed-dt needs seconds above 0 and at most 10, not '" + value + "'";
                return false;
            }
        } else if (arg == "--input") {
            input_file = args[++i];
        } else if (arg == "--screenshot") {
            const std::string& value = args[++i];
            Screenshot shot;
            if (!ParseScreenshot(value, shot)) {
                error = "--screenshot needs FRAME:PATH with a frame above 0, not '" + value + "'";
                return false;
            }
            screenshots.push_back(shot);
        } else if (arg == "--module") {
            module = args[++i];
            if (module.empty()) {
                error = "--module needs a module path";
                return false;
            }
        } else if (arg == "--dev") {
            dev = true;
        } else if (arg == "--room") {
            const std::string& value = args[++i];
            const size_t slash = value.find('/');
            room = value.substr(0, slash);
            subroom = slash == std::string::npos ? std::string() : value.substr(slash + 1);
            if (room.empty() || (slash != std::string::npos && subroom.empty())) {
                error = "--room needs ROOM or ROOM/SUBROOM, not '" + value + "'";
                return false;
            }
        } else if (arg == "--level") {
            const std::string& value = args[++i];
            const size_t colon = value.find(':');
            level = value.substr(0, colon);
            level_trigger = colon == std::string::npos ? std::string() : value.substr(colon + 1);
            if (level.empty()) {
                error = "--level needs MODULE or MODULE:TRIGGER, not '" + value + "'";
                return false;
            }
        } else if (arg == "--new") {
            new_game = args[++i];
            if (new_game.empty()) {
                error = "--new needs a folder";
                return false;
            }
        } else if (arg == "--redraw") {
            const std::string& value = args[++i];
            if (value != "full" && value != "changed") {
                error = "--redraw needs 'full' or 'changed', not '" + value + "'";
                return false;
            }
            redraw_changed_only = value == "changed";
        } else if (arg == "--present") {
            const std::string& value = args[++i];
            if (value != "copy" && value != "swap") {
                error = "--present needs 'copy' or 'swap', not '" + value + "'";
                return false;
            }
            present_by_copy = value == "copy";
        } else if (arg == "-C") {
            directory = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return false;
        } else {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
    }
    if (!module.empty() && (dev || !room.empty() || !level.empty())) {
        error = "--dev, --room and --level run the game, not --module";
        return false;
    }
    if (!screenshots.empty() && headless) {
        error = "--screenshot needs the window's GL back end, not --headless";
        return false;
    }
    return true;
}

const char* CommandLine::Usage() {
    return "usage: tarrow [options]\n"
           "Runs the game in assets/ of the working directory.\n"
           "  --headless      no window: virtual time, no drawing, nothing waits\n"
           "  --frames N      stop after N frames\n"
           "  --fixed-dt S    frame time in seconds (default 1/60); every frame then\n"
           "                  advances the same game time, also in a window\n"
           "  --input FILE    scripted input, one 'FRAME EVENT ARGS' a line (move X Y,\n"
           "                  down X Y, up X Y, click X Y, key VK, keyup VK, char CODE,\n"
           "                  leave, unfocus, focus, quit; '#' starts a comment;\n"
           "                  unfocus / focus: the window loses / regains focus); a\n"
           "                  window run with it keeps virtual time as --headless does\n"
           "                  and ignores the real mouse and keyboard\n"
           "  --screenshot FRAME:PATH  write frame FRAME as a PNG (window only; repeatable)\n"
           "  --module PATH   engine only: load module PATH (\".xml\" appended) and run\n"
           "                  frames; its code attaches what it shows under tr_origin\n"
           "  --dev           development mode: errors and warnings shown over the game,\n"
           "                  F5 reloads the level's files into the room on show\n"
           "  --room R[/S]    start in room R of the start level (and open sub-room S)\n"
           "  --level M[:T]   start with level module M (start trigger T) instead of the\n"
           "                  configured start point\n"
           "  --new DIR       make a starter game in DIR (a new folder) and stop; then\n"
           "                  run it with: tarrow --dev -C DIR\n"
           "  --redraw full|changed  draw every frame whole, or only what changed since\n"
           "                  the last one (the default; window only, headless runs\n"
           "                  always draw whole)\n"
           "  --present copy|swap  show a frame by copying the areas it changed into\n"
           "                  the window (the default where the window allows it),\n"
           "                  or by swapping buffers\n"
           "  -C DIR          change to DIR first\n"
           "  --help          show this text\n";
}
