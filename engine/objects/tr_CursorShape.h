// tr_CursorShape: one numbered shape of the mouse cursor. The cursor owns the
// shape's scene object (an animated sprite when the shape has an animation
// file, else a plain sprite, else none) and borrows the platform cursor
// handle, which the cursor's platform part made and frees.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class tr_Object;

// A platform cursor handle; 0 means none (the platform cursor is hidden).
typedef uintptr_t tr_SystemCursor;

struct tr_CursorShape {
    bool animated = false;
    // Added to the mouse position when drawing: the shape's hot spot.
    int offset_x = 0;
    int offset_y = 0;
    std::unique_ptr<tr_Object> object;
    tr_SystemCursor system_cursor = 0;
    // The name the shape was registered with (file name without extension).
    std::string name;
};
