// tr_OpacityMask: one bit per pixel saying whether the pixel is opaque enough
// to be hit (alpha byte not 0). Words are grouped by columns of 32 pixels:
// pixel (x, y) is bit x % 32 of word (x / 32) * height + y. Owned by the
// texture that built it from its decoded pixels.
#pragma once

#include <cstdint>
#include <vector>

class tr_OpacityMask {
public:
    // Builds the mask from 32-bit pixels (bytes blue, green, red, alpha) with
    // rows stride bytes apart; pixels == null marks every pixel opaque. Sizes
    // that are negative or 32768 and above give an empty mask.
    void Build(const uint8_t* pixels, int width, int height, int stride);
    void Clear();

    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }

    // The bit of (column, row); anything outside the mask is not hit.
    bool Get(int column, int row) const;

private:
    int16_t width_ = 0;
    int16_t height_ = 0;
    std::vector<uint32_t> bits_;
};
