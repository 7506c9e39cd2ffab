// tr_PngConverter: the content-side answer to the decoder's one accepted
// format. Describes the pixel format of a PNG file in words ("16-bit RGBA",
// "8-bit palette", ...) and rewrites a PNG of any other format (1- to 16-bit
// grey, grey with alpha, RGB, RGBA, palette with or without transparency)
// as 8-bit RGBA with the same look: 16-bit samples scaled to the nearest
// 8-bit value, grey copied into all three channels, palette and
// transparency chunks turned into colours and alpha. No gamma or colour
// profile is applied, as the engine applies none when drawing.
// The rewrite goes to a temporary file beside the original, renamed over it
// only once complete. Stateless.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class tr_PngConverter {
public:
    // "8-bit RGBA" for the format the engine accepts, another description
    // for the others; false with *error when the file is no readable PNG.
    static bool Describe(const std::string& path, std::string& description, std::string* error);
    // True when the file is (now) 8-bit RGBA; an 8-bit RGBA file is left
    // untouched. False with *error when it is no readable PNG, is larger
    // than a texture may be, or cannot be rewritten (the original stays).
    static bool ConvertToRgba8(const std::string& path, std::string* error);
    static const char* AcceptedFormat() { return "8-bit RGBA"; }

    // Any PNG the converter takes, read as 8-bit RGBA (red, green, blue,
    // alpha per pixel, rows top first) without touching the file; false
    // with *error as for ConvertToRgba8.
    static bool ReadRgba8(const std::string& path, int& width, int& height,
                          std::vector<uint8_t>& rgba, std::string* error);
};
