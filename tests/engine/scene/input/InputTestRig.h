// Test rig for the input dispatch tests: a call queue that records what the
// scene queues and runs it a frame later (with C++ actions standing in for
// trigger code), the headless cursor, and a scene driven the way the
// engine core drives it (mouse events move the cursor first; a frame is the
// synthesised move, the queue run, then the scene update).
#pragma once

#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/scene/tr_InputFocus.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_CallQueue.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Installs itself for its lifetime. Code strings are "<event>:<object>";
// an action registered under a code runs when that call is run.
class ScriptedQueue : public tr_CallQueue {
public:
    ScriptedQueue() { tr_CallQueue::Install(this); }
    ~ScriptedQueue() override { tr_CallQueue::Install(nullptr); }

    bool QueueCall(const std::string& sender, const std::string& code) override {
        queued.emplace_back(sender, code);
        pending_.emplace_back(sender, code);
        return true;
    }
    // Calls queued while running wait for the next run.
    void RunQueue() {
        std::vector<std::pair<std::string, std::string>> calls;
        calls.swap(pending_);
        for (const auto& call : calls) {
            auto action = actions.find(call.second);
            if (action != actions.end())
                action->second();
        }
    }
    // The codes queued so far, and forgets them.
    std::vector<std::string> Take() {
        std::vector<std::string> codes;
        for (const auto& call : queued)
            codes.push_back(call.second);
        queued.clear();
        return codes;
    }

    std::vector<std::pair<std::string, std::string>> queued;
    std::map<std::string, std::function<void()>> actions;

private:
    std::vector<std::pair<std::string, std::string>> pending_;
};

// An object with a 20 x 20 input rectangle at (x, y) under parent, whose
// event slots hold "<event>:<name>".
inline tr_Object* MakeButton(tr_Object* parent, const std::string& name, float x, float y) {
    static const char* const kSlotNames[TR_EVENT_SLOT_COUNT] = {
        "mdown",       "mup",       "menter",   "mleave", "menter_drag",
        "mleave_drag", "startdrag", "dragdrop", "drag"};
    tr_Object* button = new tr_Object(name);
    button->SetPosition(x, y);
    button->SetInputRect(tr_Rect{0.0f, 0.0f, 20.0f, 20.0f});
    for (int slot = 0; slot < TR_EVENT_SLOT_COUNT; ++slot)
        button->SetEventCode(slot, std::string(kSlotNames[slot]) + ":" + name);
    tr_Object::Attach(parent, button);
    return button;
}

class InputRig {
public:
    InputRig() {
        // Each case starts with nothing hovered or dragged.
        tr_InputFocus::Hovered().Reset();
        tr_InputFocus::Dragged().Reset();
    }
    ~InputRig() {
        tr_InputFocus::Hovered().Reset();
        tr_InputFocus::Dragged().Reset();
    }

    tr_Object* Root() { return scene.GetDisplayRoot(); }
    tr_InputDispatch& Dispatch() { return scene.GetInputDispatch(); }

    // What the core input does with a mouse event.
    tr_Object* Mouse(int type, float x, float y) {
        cursor.SetPosition(static_cast<int>(x), static_cast<int>(y));
        tr_InputEvent event;
        event.type = type;
        event.key = TR_MOUSE_KEY;
        event.x = x;
        event.y = y;
        return scene.DispatchInput(event);
    }
    tr_Object* Down(float x, float y) { return Mouse(TR_EVENT_MOUSE_DOWN, x, y); }
    tr_Object* Up(float x, float y) { return Mouse(TR_EVENT_MOUSE_UP, x, y); }
    tr_Object* Move(float x, float y) { return Mouse(TR_EVENT_MOUSE_MOVE, x, y); }

    // What the core update does once per frame.
    void Frame() {
        Dispatch().SynthesiseMouseMoveAtCursor();
        queue.RunQueue();
        scene.Update(tr_FrameInfo{1.0f / 60.0f, 1.0f / 60.0f, 0.0f});
    }

    ScriptedQueue queue;
    tr_Cursor_Headless cursor;
    tr_Scene scene;
};
