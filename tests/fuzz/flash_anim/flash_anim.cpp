// Flash animation files: parts, frames and the values carried between a
// part's instances, from any bytes.
#include "engine/objects/tr_FlashAnimData.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_FlashAnimData anim;
    anim.LoadFromBuffer(reinterpret_cast<const char*>(data), size, "fuzz/", "fuzz");
    return 0;
}
