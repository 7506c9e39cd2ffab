// tr_TextStyle: how a block of text looks: alignment, line pitch, size, default
// face and colour, and the optional shadow or outline pass. A text object owns
// one and fills it from its attributes; the text renderer only reads it.
#pragma once

#include <cstdint>

struct tr_TextStyle {
    int32_t align = 1;        // lines inside the block: 0 left, 1 centre, 2 right
    int32_t align_v = 1;      // block against the object's position: 0 top, 1 centre, 2 bottom
    float linespacing = 1.0f; // line pitch as a multiple of fontsize
    int32_t fontsize = 20;    // pixels
    int32_t fonttype = 0;     // default style: 0 regular, 1 bold, 2 italic, 3 bold italic
    bool markup = true;       // inline tags apply; off, every character shows as written
    float fontcolor_r = 1.0f;
    float fontcolor_g = 1.0f;
    float fontcolor_b = 1.0f;

    bool display_shadow = false;
    float shadow_pos_x = 0.0f;
    float shadow_pos_y = 0.0f;
    float shadow_pos_z = 0.0f;
    float shadow_color_r = 0.0f;
    float shadow_color_g = 0.0f;
    float shadow_color_b = 0.0f;
    float shadow_alpha = 1.0f;

    bool display_outline = false; // wins over the shadow when both are set
    float outline_color_r = 0.0f;
    float outline_color_g = 0.0f;
    float outline_color_b = 0.0f;
    int32_t outline_size = 1;
    float outline_alpha = 1.0f;
};
