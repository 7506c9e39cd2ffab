// tr_DecodedImage: pixels decoded from an image file, 32-bit in the device
// byte order (blue, green, red, alpha), rows of width x 4 bytes, top row
// first. Owned by whoever decoded it; freed once uploaded.
#pragma once

#include <cstdint>
#include <vector>

struct tr_DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};
