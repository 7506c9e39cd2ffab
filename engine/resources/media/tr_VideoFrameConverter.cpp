#include "engine/resources/media/tr_VideoFrameConverter.h"

#include <algorithm>

namespace {

int ChromaShiftX(th_pixel_fmt format) {
    return format == TH_PF_444 ? 0 : 1;
}
int ChromaShiftY(th_pixel_fmt format) {
    return format == TH_PF_420 ? 1 : 0;
}

} // namespace

const tr_VideoFrameConverter& tr_VideoFrameConverter::Get() {
    static const tr_VideoFrameConverter instance;
    return instance;
}

tr_VideoFrameConverter::tr_VideoFrameConverter() {
    for (int v = 0; v < 256; ++v) {
        // The rounding constant rides with the luma term.
        luma[v] = 298 * (v - 16) + 128;
        cb_blue[v] = 516 * (v - 128);
        cb_green[v] = -100 * (v - 128);
        cr_green[v] = -208 * (v - 128);
        cr_red[v] = 409 * (v - 128);
    }
    // Sums shifted right by 8 lie within -278..535.
    for (int i = 0; i < 1024; ++i) {
        const int v = i - kClampOffset;
        clamp[i] = static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

tr_VideoFrameConverter::Picture tr_VideoFrameConverter::MakePicture(const th_ycbcr_buffer planes,
                                                                    const th_info& info) {
    Picture picture;
    picture.planes = planes;
    picture.x = static_cast<int>(info.pic_x);
    picture.y = static_cast<int>(info.pic_y);
    picture.width = static_cast<int>(info.pic_width);
    picture.height = static_cast<int>(info.pic_height);
    picture.chroma_shift_x = ChromaShiftX(info.pixel_fmt);
    picture.chroma_shift_y = ChromaShiftY(info.pixel_fmt);
    return picture;
}

void tr_VideoFrameConverter::Convert(const Picture& picture, const uint8_t* alpha, uint8_t* out,
                                     int stride) const {
    const th_img_plane& y_plane = picture.planes[0];
    const th_img_plane& cb_plane = picture.planes[1];
    const th_img_plane& cr_plane = picture.planes[2];
    const uint8_t* clamped = clamp + kClampOffset;
    for (int row = 0; row < picture.height; ++row) {
        const int frame_row = picture.y + row;
        const int chroma_row = frame_row >> picture.chroma_shift_y;
        const uint8_t* ys = y_plane.data + static_cast<ptrdiff_t>(frame_row) * y_plane.stride;
        const uint8_t* cbs = cb_plane.data + static_cast<ptrdiff_t>(chroma_row) * cb_plane.stride;
        const uint8_t* crs = cr_plane.data + static_cast<ptrdiff_t>(chroma_row) * cr_plane.stride;
        const uint8_t* as = alpha ? alpha + static_cast<ptrdiff_t>(row) * picture.width : nullptr;
        uint32_t* dst = reinterpret_cast<uint32_t*>(out + static_cast<ptrdiff_t>(row) * stride);
        // Walks the row one chroma sample at a time: its terms are looked up
        // once for the luma samples that share it.
        for (int col = 0; col < picture.width;) {
            const int chroma_col = (picture.x + col) >> picture.chroma_shift_x;
            const int run_end =
                std::min(picture.width, ((chroma_col + 1) << picture.chroma_shift_x) - picture.x);
            const uint8_t cb = cbs[chroma_col];
            const uint8_t cr = crs[chroma_col];
            const int blue = cb_blue[cb];
            const int green = cb_green[cb] + cr_green[cr];
            const int red = cr_red[cr];
            for (; col < run_end; ++col) {
                const uint32_t a = as ? as[col] : 255u;
                if (a == 0) {
                    dst[col] = 0;
                    continue;
                }
                const int yv = luma[ys[picture.x + col]];
                dst[col] = (a << 24) | (static_cast<uint32_t>(clamped[(yv + red) >> 8]) << 16) |
                           (static_cast<uint32_t>(clamped[(yv + green) >> 8]) << 8) |
                           clamped[(yv + blue) >> 8];
            }
        }
    }
}

void tr_VideoFrameConverter::ExtractAlpha(const Picture& picture, uint8_t* alpha) const {
    const th_img_plane& y_plane = picture.planes[0];
    const th_img_plane& cb_plane = picture.planes[1];
    const uint8_t* clamped = clamp + kClampOffset;
    for (int row = 0; row < picture.height; ++row) {
        const int frame_row = picture.y + row;
        const int chroma_row = frame_row >> picture.chroma_shift_y;
        const uint8_t* ys = y_plane.data + static_cast<ptrdiff_t>(frame_row) * y_plane.stride;
        const uint8_t* cbs = cb_plane.data + static_cast<ptrdiff_t>(chroma_row) * cb_plane.stride;
        uint8_t* dst = alpha + static_cast<ptrdiff_t>(row) * picture.width;
        for (int col = 0; col < picture.width; ++col) {
            const int frame_col = picture.x + col;
            dst[col] =
                clamped[(luma[ys[frame_col]] + cr_red[cbs[frame_col >> picture.chroma_shift_x]]) >>
                        8];
        }
    }
}
