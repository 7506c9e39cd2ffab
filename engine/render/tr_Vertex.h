// tr_Vertex: the one vertex layout of the engine (24 bytes): screen position,
// packed ARGB colour and texture coordinates. tr_PackColor is the single place
// where float colours become vertex colours.
#pragma once

#include <cstdint>

struct tr_Vertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    uint32_t color = 0; // alpha in bits 24-31, red 16-23, green 8-15, blue 0-7
    float u = 0.0f;
    float v = 0.0f;
};
static_assert(sizeof(tr_Vertex) == 24, "tr_Vertex must stay 24 bytes");

inline uint32_t tr_PackChannel(float c) {
    if (c >= 1.0f)
        return 255;
    if (!(c > 0.0f)) // also catches NaN
        return 0;
    return static_cast<uint32_t>(c * 255.0f + 0.5f);
}

inline uint32_t tr_PackColor(float alpha, float red, float green, float blue) {
    return (tr_PackChannel(alpha) << 24) | (tr_PackChannel(red) << 16) |
           (tr_PackChannel(green) << 8) | tr_PackChannel(blue);
}
