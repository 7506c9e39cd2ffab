// tr_PngDecoder: reads a PNG file with libpng. Only 8-bit RGBA images are
// accepted (palette, grey, RGB and 16-bit images are refused, not
// converted); failures log why and leave the image empty.
#pragma once

#include "engine/resources/images/tr_DecodedImage.h"

#include <string>

class tr_PngDecoder {
public:
    // path is opened as given; false on any failure.
    static bool Decode(const std::string& path, tr_DecodedImage& image);
};
