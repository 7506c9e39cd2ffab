// tr_ScreenChanges: which parts of the screen a finished frame changed, as a
// renderer that keeps its picture in the window's back buffer reports them
// to the host, which then shows only those parts. A plain value: the
// renderer fills it, the host reads it before presenting.
#pragma once

#include <array>
#include <vector>

struct tr_ScreenChanges {
    // All of the screen may have changed; areas then do not matter.
    bool whole = false;
    // x, y, width, height in screen pixels from the top left; they may
    // overlap and reach past the screen's edges.
    std::vector<std::array<int, 4>> areas;

    void Clear() {
        whole = false;
        areas.clear();
    }
    bool IsEmpty() const { return !whole && areas.empty(); }
};
