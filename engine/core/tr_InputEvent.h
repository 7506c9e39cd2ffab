// tr_InputEvent: one input event as the host delivers it to the input hook.
// Plain value type; the scene hands copies down the object tree and marks a
// copy "clipped" when the point lies outside an ancestor's crop rectangle.
#pragma once

enum tr_InputEventType : int {
    TR_EVENT_KEY_DOWN = 0,
    TR_EVENT_CHAR = 1,
    TR_EVENT_KEY_UP = 2,
    TR_EVENT_MOUSE_DOWN = 3,
    TR_EVENT_MOUSE_UP = 4,
    TR_EVENT_MOUSE_MOVE = 5,
    TR_EVENT_MOUSE_LEAVE = 6,
};

// The key value mouse down, up and move events carry.
constexpr int TR_MOUSE_KEY = 0xF00;

struct tr_InputEvent {
    int type = TR_EVENT_KEY_DOWN;
    int key = 0;       // Windows virtual-key code, TR_MOUSE_KEY for mouse events, else 0
    int character = 0; // UTF-16 code unit for character events
    float x = 0.0f;    // client coordinates of mouse events
    float y = 0.0f;
    bool clipped = false;
};
