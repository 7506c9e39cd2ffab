// tr_JpegDecoder: reads a JPEG file with libjpeg into opaque pixels. Only
// images that decode to three components are accepted; failures log why and
// leave the image empty.
#pragma once

#include "engine/resources/images/tr_DecodedImage.h"

#include <string>

class tr_JpegDecoder {
public:
    // path is opened as given; false on any failure.
    static bool Decode(const std::string& path, tr_DecodedImage& image);
};
