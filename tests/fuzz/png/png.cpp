// PNG images through the engine's decoder.
#include "../FuzzSupport.h"

#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_DecodedImage image;
    tr_PngDecoder::Decode(FuzzFiles::Write("image.png", data, size), image);
    return 0;
}
