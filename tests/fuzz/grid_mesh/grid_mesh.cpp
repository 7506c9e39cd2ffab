// Grid mesh descriptions: key frames, vertices and triangles from any bytes.
#include "engine/objects/tr_GridMesh.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_GridMesh mesh;
    mesh.LoadFromBuffer(reinterpret_cast<const char*>(data), size, "fuzz/", "fuzz");
    return 0;
}
