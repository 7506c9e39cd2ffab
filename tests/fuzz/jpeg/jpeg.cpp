// JPEG images through the engine's decoder.
#include "../FuzzSupport.h"

#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_DecodedImage image;
    tr_JpegDecoder::Decode(FuzzFiles::Write("image.jpg", data, size), image);
    return 0;
}
