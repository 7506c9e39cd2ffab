// The profile list: Base64 names, ids and the current index, from any bytes.
#include "game/app/tp_ProfileList.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tp_ProfileList list;
    list.Parse(reinterpret_cast<const char*>(data), size);
    return 0;
}
