// tr_InputScriptPlayer: plays a parsed input script (tr_InputScript) back
// for a host, one entry at a time, each before the update of the frame it
// names. It owns its copy of the entries and remembers the last mouse
// position, which a scripted "leave" reports. A host polls it from its
// PollEvent and dispatches what it returns.
#pragma once

#include "engine/core/tr_InputEvent.h"
#include "engine/host/tr_InputScript.h"

#include <cstdint>
#include <vector>

class tr_InputScriptPlayer {
public:
    enum class Step {
        None,  // nothing is due before the next frame
        Event, // an event to dispatch now
        Quit,  // the script ends the run here
        FocusLost,   // the window lost the keyboard focus (no event)
        FocusGained, // the window has the keyboard focus again (no event)
    };

    void SetEvents(std::vector<tr_ScriptedInput> events);
    bool IsEmpty() const { return events_.empty(); }

    // The next entry due before the update of frame frames_run + 1. A leave
    // event comes with the last position a mouse event of the script had.
    Step Next(uint64_t frames_run, tr_InputEvent& event);

private:
    std::vector<tr_ScriptedInput> events_;
    size_t next_ = 0;
    float last_mouse_x_ = 0.0f;
    float last_mouse_y_ = 0.0f;
};
