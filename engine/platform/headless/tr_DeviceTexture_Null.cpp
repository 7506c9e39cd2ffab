#include "engine/platform/headless/tr_DeviceTexture_Null.h"

#include <algorithm>
#include <cstring>

tr_DeviceTexture_Null::tr_DeviceTexture_Null(int alloc_width, int alloc_height)
    : tr_DeviceTexture(alloc_width, alloc_height),
      texels_(static_cast<size_t>(alloc_width) * static_cast<size_t>(alloc_height), 0u) {}

void tr_DeviceTexture_Null::WriteRows(const uint8_t* pixels, int width, int height, int stride) {
    if (!pixels)
        return;
    const int rows = std::min(height, GetAllocHeight());
    const int columns = std::min(width, GetAllocWidth());
    if (rows <= 0 || columns <= 0)
        return;
    MarkWritten();
    for (int y = 0; y < rows; ++y) {
        std::memcpy(&texels_[static_cast<size_t>(y) * GetAllocWidth()],
                    pixels + static_cast<size_t>(y) * stride, static_cast<size_t>(columns) * 4);
    }
}

void tr_DeviceTexture_Null::Fill(uint32_t argb) {
    MarkWritten();
    std::fill(texels_.begin(), texels_.end(), argb);
}

uint32_t tr_DeviceTexture_Null::GetTexel(int x, int y) const {
    if (x < 0 || y < 0 || x >= GetAllocWidth() || y >= GetAllocHeight())
        return 0;
    return texels_[static_cast<size_t>(y) * GetAllocWidth() + x];
}
