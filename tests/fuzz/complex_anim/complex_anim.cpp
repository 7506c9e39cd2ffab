// Complex animation files: the node tree and its keyframed functions, from
// any bytes.
#include "engine/objects/tr_ComplexAnimData.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_ComplexAnimData anim;
    anim.LoadFromBuffer(reinterpret_cast<const char*>(data), size);
    return 0;
}
