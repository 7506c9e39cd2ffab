// tr_InputScript: parses scripted input for a host (the headless one, or a
// window driven for screenshots), one event a line as "FRAME EVENT ARGS":
//   move X Y | down X Y | up X Y | click X Y (down then up) |
//   key VK | keyup VK | char CODE | leave | unfocus | focus | quit
// "unfocus" and "focus" stand for the window losing and regaining the
// keyboard focus (the deactivate and activate hooks run, no input event).
// "#" starts a comment; blank lines are skipped. Frames count from 1 (the
// first frame run); events of frame N are meant to reach the input hook
// before frame N's update (frame 0 behaves like frame 1). The result is in
// frame order; lines of the same frame keep their order.
#pragma once

#include "engine/core/tr_InputEvent.h"

#include <cstdint>
#include <string>
#include <vector>

enum class tr_ScriptedFocus { kNone, kLost, kGained };

struct tr_ScriptedInput {
    uint64_t frame = 0;
    bool quit = false; // ends the run instead of delivering an event
    // A focus change runs the matching hook instead of delivering an event.
    tr_ScriptedFocus focus = tr_ScriptedFocus::kNone;
    tr_InputEvent event; // a leave event's position is filled in when delivered
};

class tr_InputScript {
public:
    // Parses text; source names it in error messages (usually the file name).
    // On failure the events are cleared and GetError() says which line is
    // wrong and why.
    bool Parse(const std::string& text, const std::string& source);

    const std::vector<tr_ScriptedInput>& GetEvents() const { return events_; }
    const std::string& GetError() const { return error_; }

private:
    bool ParseLine(const std::string& line, std::string& problem);

    std::vector<tr_ScriptedInput> events_;
    std::string error_;
};
