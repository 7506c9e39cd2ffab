// tr_DirtyRegion: the parts of the screen that must be drawn again this
// frame, as a short list of whole-pixel rectangles inside the screen. Added
// rectangles are grown outwards to whole pixels and clipped; rectangles that
// overlap or nearly touch are merged, a long list merges each new rectangle
// into the one it wastes least with, and a list that covers most of the
// screen collapses into the whole screen (one clear and one pass of every
// draw is cheaper then than many scissored passes). A plain
// value owned by whoever composes the frame.
#pragma once

#include "engine/render/tr_Rect.h"

#include <vector>

// A half-open pixel rectangle: columns x0..x1-1, rows y0..y1-1.
struct tr_PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    long long Area() const { return static_cast<long long>(x1 - x0) * (y1 - y0); }
    bool IsEmpty() const { return x1 <= x0 || y1 <= y0; }
    tr_Rect ToRect() const;
    bool operator==(const tr_PixelRect& other) const {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
};

class tr_DirtyRegion {
public:
    // Most rectangles kept apart; more are merged into the nearest ones.
    static const int kMaxRects = 32;

    // Empty, for a screen of width x height pixels.
    void Reset(int width, int height);
    // Adds a rectangle in screen pixels; one that is empty or outside the
    // screen is ignored, one with an edge that is not a number stands for
    // the whole screen (where it draws is unknown).
    void Add(const tr_Rect& rect);
    void AddWholeScreen();

    // Adds every rectangle of other (a region of the same screen).
    void Add(const tr_DirtyRegion& other);

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    bool IsEmpty() const { return rects_.empty(); }
    bool IsWholeScreen() const { return whole_screen_; }
    // Disjoint or merged rectangles, each inside the screen.
    const std::vector<tr_PixelRect>& GetRects() const { return rects_; }
    long long GetArea() const;

private:
    void Insert(tr_PixelRect rect);

    int width_ = 0;
    int height_ = 0;
    bool whole_screen_ = false;
    std::vector<tr_PixelRect> rects_;
};
