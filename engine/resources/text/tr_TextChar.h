// tr_TextChar: one decoded character of a text block with the style and colour
// its inline tags gave it. Layout inserts and removes records; the rasterizer
// draws them in order.
#pragma once

#include <cstdint>

struct tr_TextChar {
    int32_t code = 0;   // Unicode scalar value
    int32_t style = -1; // -1: the block's default style
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    bool coloured = false; // use r, g, b instead of the block's colour
};
