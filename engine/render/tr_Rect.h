// tr_Rect: an axis-aligned rectangle (left, top, width, height) in pixels or
// texture coordinates. Plain value type shared by renderer, textures and scene.
#pragma once

#include <algorithm>

struct tr_Rect {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;

    // Overlap of two rectangles; a negative extent becomes 0.
    static tr_Rect Intersect(const tr_Rect& a, const tr_Rect& b) {
        tr_Rect r;
        r.x = std::max(a.x, b.x);
        r.y = std::max(a.y, b.y);
        r.w = std::max(0.0f, std::min(a.x + a.w, b.x + b.w) - r.x);
        r.h = std::max(0.0f, std::min(a.y + a.h, b.y + b.h) - r.y);
        return r;
    }
};
