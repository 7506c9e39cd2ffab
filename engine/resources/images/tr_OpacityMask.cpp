#include "engine/resources/images/tr_OpacityMask.h"

#include <cstddef>

namespace {

const int kMaxMaskSide = 32767;

} // namespace

void tr_OpacityMask::Clear() {
    width_ = 0;
    height_ = 0;
    bits_.clear();
}

void tr_OpacityMask::Build(const uint8_t* pixels, int width, int height, int stride) {
    Clear();
    if (width <= 0 || height <= 0 || width > kMaxMaskSide || height > kMaxMaskSide)
        return;
    width_ = static_cast<int16_t>(width);
    height_ = static_cast<int16_t>(height);
    const int columns = (width - 1) / 32 + 1;
    bits_.assign(static_cast<size_t>(columns) * height, pixels ? 0u : ~0u);
    if (!pixels)
        return;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (row[x * 4 + 3] != 0)
                bits_[static_cast<size_t>(x / 32) * height + y] |= 1u << (x % 32);
        }
    }
}

bool tr_OpacityMask::Get(int column, int row) const {
    if (column < 0 || row < 0 || column >= width_ || row >= height_)
        return false;
    return (bits_[static_cast<size_t>(column / 32) * height_ + row] >> (column % 32)) & 1u;
}
