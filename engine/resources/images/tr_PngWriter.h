// tr_PngWriter: writes 32-bit pixels (0xAARRGGBB, rows top first) as an
// 8-bit RGBA PNG file with libpng. Used for screenshots.
#pragma once

#include <cstdint>
#include <string>

class tr_PngWriter {
public:
    // False (with a log line) when the file cannot be written.
    static bool Write(const std::string& path, const uint32_t* argb, int width, int height);
};
