// tr_GeneratedTexture: a texture made at run time from a colour or from raw
// pixels (glyph pages, video frames, the renderer's white and black
// textures). Sizes are rounded up to even numbers; it has no opacity mask,
// so hit tests take its whole rectangle. Created and owned by its user.
#pragma once

#include "engine/render/tr_Texture.h"

#include <cstdint>

class tr_GeneratedTexture : public tr_Texture {
public:
    // Generated textures are made, never loaded by name.
    bool Load(const char* name) override;

    // A width x height texture (odd sizes grow by one); transparent black
    // without rgb, else opaque (rgb[0], rgb[1], rgb[2]). Replaces any previous
    // device texture.
    bool Create(int width, int height, const float* rgb = nullptr);
    // A texture filled from 32-bit pixels (bytes blue, green, red, alpha).
    // With stride 0 the caller supplies every row of the even-rounded size,
    // rows of the rounded width; with a stride, only width x height pixels
    // are read, rows stride bytes apart, and the padding stays transparent.
    bool CreateFromPixels(const uint8_t* pixels, int width, int height, int stride = 0);
    // Rewrites the pixels of an existing texture of the same size without
    // allocating a new one (video frames); falls back to CreateFromPixels.
    bool UpdatePixels(const uint8_t* pixels, int width, int height, int stride = 0);

protected:
    // Rounds the size and allocates the device texture; logs on failure.
    bool Allocate(int& width, int& height, bool render_target);
    void WritePixels(const uint8_t* pixels, int width, int height, int stride);
};
