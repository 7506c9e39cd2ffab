// tr_TextImage: a text block rasterized on the CPU: width x height 32-bit
// pixels, 0xAARRGGBB (bytes blue, green, red, alpha in memory, as textures
// take them), rows top to bottom without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct tr_TextImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
