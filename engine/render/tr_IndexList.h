// tr_IndexList: 16-bit indices into a tr_VertexList for tr_Render::DrawIndexed.
// Owned by its client; the device buffer comes from the current render device.
#pragma once

#include "engine/render/tr_GeometryList.h"

#include <cstdint>

class tr_IndexList : public tr_GeometryList<uint16_t, true> {
public:
    // Ignored without buffer or once the capacity is reached.
    virtual void AddIndex(uint16_t index);
};
