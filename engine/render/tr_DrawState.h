// tr_DrawState: the per-draw record every Draw and HitTest receives by value.
// Parents fill it for their children; the renderer reads colour, frame,
// offset, blend mode and the world transform from it.
#pragma once

#include "engine/render/tr_Matrix.h"

struct tr_DrawState {
    float alpha = 1.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    int frame = 0;
    float offset_x = 0.0f;
    float offset_y = 0.0f;
    float offset_z = 0.0f; // carried, unused by the draw calls
    int blend = 0;
    tr_Matrix transform;
};

enum tr_BlendMode : int {
    TR_BLEND_NORMAL = 0,
    TR_BLEND_ADD = 2,
    TR_BLEND_INV_MULTIPLY = 3,
    TR_BLEND_MULTIPLY = 4,
};
