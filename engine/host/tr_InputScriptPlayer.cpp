#include "engine/host/tr_InputScriptPlayer.h"

#include <utility>

void tr_InputScriptPlayer::SetEvents(std::vector<tr_ScriptedInput> events) {
    events_ = std::move(events);
    next_ = 0;
}

tr_InputScriptPlayer::Step tr_InputScriptPlayer::Next(uint64_t frames_run, tr_InputEvent& event) {
    if (next_ >= events_.size() || events_[next_].frame > frames_run + 1)
        return Step::None;
    const tr_ScriptedInput& entry = events_[next_++];
    if (entry.quit)
        return Step::Quit;
    if (entry.focus != tr_ScriptedFocus::kNone)
        return entry.focus == tr_ScriptedFocus::kGained ? Step::FocusGained : Step::FocusLost;
    event = entry.event;
    if (event.type == TR_EVENT_MOUSE_LEAVE) {
        event.x = last_mouse_x_;
        event.y = last_mouse_y_;
    } else if (event.type == TR_EVENT_MOUSE_MOVE || event.type == TR_EVENT_MOUSE_DOWN ||
               event.type == TR_EVENT_MOUSE_UP) {
        last_mouse_x_ = event.x;
        last_mouse_y_ = event.y;
    }
    return Step::Event;
}
