#include "engine/render/tr_DirtyRegion.h"

#include <algorithm>
#include <cmath>

namespace {

// Merging two rectangles may draw at most this many pixels that neither
// needed: a scissored pass costs a state change and a clear, which a few
// rows of extra fill outweigh only when the waste is small.
const long long kMergeSlack = 4096;
// Above this share of the screen one full pass is cheaper than the pieces.
const double kWholeScreenShare = 0.6;

tr_PixelRect Union(const tr_PixelRect& a, const tr_PixelRect& b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

long long Overlap(const tr_PixelRect& a, const tr_PixelRect& b) {
    const tr_PixelRect r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
                         std::min(a.y1, b.y1)};
    return r.IsEmpty() ? 0 : r.Area();
}

// Pixels the union covers that neither rectangle does.
long long Waste(const tr_PixelRect& a, const tr_PixelRect& b) {
    return Union(a, b).Area() - a.Area() - b.Area() + Overlap(a, b);
}

} // namespace

tr_Rect tr_PixelRect::ToRect() const {
    tr_Rect rect;
    rect.x = static_cast<float>(x0);
    rect.y = static_cast<float>(y0);
    rect.w = static_cast<float>(x1 - x0);
    rect.h = static_cast<float>(y1 - y0);
    return rect;
}

void tr_DirtyRegion::Reset(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    whole_screen_ = false;
    rects_.clear();
}

void tr_DirtyRegion::AddWholeScreen() {
    rects_.clear();
    whole_screen_ = true;
    if (width_ > 0 && height_ > 0)
        rects_.push_back({0, 0, width_, height_});
}

void tr_DirtyRegion::Add(const tr_Rect& rect) {
    if (whole_screen_)
        return;
    // Clamping in double before the conversion keeps huge or infinite
    // edges from overflowing the integer range.
    const double left = std::floor(static_cast<double>(rect.x));
    const double top = std::floor(static_cast<double>(rect.y));
    const double right = std::ceil(static_cast<double>(rect.x) + rect.w);
    const double bottom = std::ceil(static_cast<double>(rect.y) + rect.h);
    if (std::isnan(left) || std::isnan(top) || std::isnan(right) || std::isnan(bottom)) {
        AddWholeScreen();
        return;
    }
    tr_PixelRect pixels;
    pixels.x0 = static_cast<int>(std::max(0.0, std::min(left, static_cast<double>(width_))));
    pixels.y0 = static_cast<int>(std::max(0.0, std::min(top, static_cast<double>(height_))));
    pixels.x1 = static_cast<int>(std::max(0.0, std::min(right, static_cast<double>(width_))));
    pixels.y1 = static_cast<int>(std::max(0.0, std::min(bottom, static_cast<double>(height_))));
    if (pixels.IsEmpty())
        return;
    Insert(pixels);
}

void tr_DirtyRegion::Add(const tr_DirtyRegion& other) {
    if (other.whole_screen_) {
        AddWholeScreen();
        return;
    }
    for (const tr_PixelRect& rect : other.rects_)
        Add(rect.ToRect());
}

void tr_DirtyRegion::Insert(tr_PixelRect rect) {
    // Each merge can make the grown rectangle reach others, so look again
    // until nothing more joins it. A full list takes the new rectangle into
    // the one it wastes least with: many small changes spread over the
    // screen (particles) then cost a few grown rectangles, not the whole
    // screen.
    bool merged = true;
    while (merged) {
        merged = false;
        size_t cheapest = rects_.size();
        long long cheapest_waste = 0;
        for (size_t i = 0; i < rects_.size(); ++i) {
            const long long waste = Waste(rects_[i], rect);
            if (cheapest == rects_.size() || waste < cheapest_waste) {
                cheapest = i;
                cheapest_waste = waste;
            }
        }
        if (cheapest < rects_.size() &&
            (cheapest_waste <= kMergeSlack || static_cast<int>(rects_.size()) >= kMaxRects)) {
            rect = Union(rects_[cheapest], rect);
            rects_.erase(rects_.begin() + static_cast<long>(cheapest));
            merged = true;
        }
    }
    rects_.push_back(rect);
    const long long screen = static_cast<long long>(width_) * height_;
    if (static_cast<double>(GetArea()) > kWholeScreenShare * static_cast<double>(screen))
        AddWholeScreen();
}

long long tr_DirtyRegion::GetArea() const {
    long long area = 0;
    for (const tr_PixelRect& rect : rects_)
        area += rect.Area();
    return area;
}
