// tr_VideoFrameConverter: turns a decoded Y'CbCr picture plus an alpha plane
// into 32-bit pixels 0xAARRGGBB (bytes blue, green, red, alpha in memory, the
// byte order of the engine's textures), with the integer BT.601 conversion.
// Every term of the conversion comes from a table computed once, and pixels
// whose alpha is 0 are left transparent black without being converted.
#pragma once

#include <theora/codec.h>

#include <cstdint>

class tr_VideoFrameConverter {
public:
    // A picture: the decoder's planes, the crop rectangle inside them and the
    // chroma subsampling of the stream's pixel format.
    struct Picture {
        const th_img_plane* planes = nullptr; // Y', Cb, Cr
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        int chroma_shift_x = 0;
        int chroma_shift_y = 0;
    };

    static const tr_VideoFrameConverter& Get();
    static Picture MakePicture(const th_ycbcr_buffer planes, const th_info& info);

    // Writes picture.width x picture.height pixels into out, rows stride bytes
    // apart. alpha is one byte per pixel, rows picture.width apart, or null for
    // an opaque picture.
    void Convert(const Picture& picture, const uint8_t* alpha, uint8_t* out, int stride) const;
    // The alpha plane of a grey alpha video: the red term of its conversion,
    // i.e. its brightness. Writes width x height bytes.
    void ExtractAlpha(const Picture& picture, uint8_t* alpha) const;

private:
    tr_VideoFrameConverter();

    static const int kClampOffset = 384;
    int32_t luma[256];
    int32_t cb_blue[256];
    int32_t cb_green[256];
    int32_t cr_green[256];
    int32_t cr_red[256];
    uint8_t clamp[1024];
};
