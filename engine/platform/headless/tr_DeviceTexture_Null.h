// tr_DeviceTexture_Null: a device texture of the in-memory render device; its
// texels live in memory (0xAARRGGBB) so tests can read back what was written.
#pragma once

#include "engine/render/tr_RenderDevice.h"

#include <vector>

class tr_DeviceTexture_Null : public tr_DeviceTexture {
public:
    tr_DeviceTexture_Null(int alloc_width, int alloc_height);

    void WriteRows(const uint8_t* pixels, int width, int height, int stride) override;
    void Fill(uint32_t argb) override;
    uintptr_t GetNativeHandle() const override { return 0; }

    // Texel (x, y) as 0xAARRGGBB; 0 outside the allocation.
    uint32_t GetTexel(int x, int y) const;

private:
    std::vector<uint32_t> texels_;
};
