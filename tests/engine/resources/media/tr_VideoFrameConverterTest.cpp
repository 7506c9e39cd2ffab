#include "engine/resources/media/tr_VideoFrameConverter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Planes of a tiny frame: luma w x h, chroma cw x ch, each filled by the test.
struct Planes {
    Planes(int w, int h, int cw, int ch)
        : y(static_cast<size_t>(w) * h, 16), cb(static_cast<size_t>(cw) * ch, 128),
          cr(static_cast<size_t>(cw) * ch, 128) {
        buffer[0] = {w, h, w, y.data()};
        buffer[1] = {cw, ch, cw, cb.data()};
        buffer[2] = {cw, ch, cw, cr.data()};
    }
    std::vector<unsigned char> y, cb, cr;
    th_ycbcr_buffer buffer;
};

tr_VideoFrameConverter::Picture PictureOf(const Planes& planes, int x, int y, int w, int h,
                                          int shift_x, int shift_y) {
    tr_VideoFrameConverter::Picture picture;
    picture.planes = planes.buffer;
    picture.x = x;
    picture.y = y;
    picture.width = w;
    picture.height = h;
    picture.chroma_shift_x = shift_x;
    picture.chroma_shift_y = shift_y;
    return picture;
}

TEST(VideoFrameConverterTest, KnownColoursComeOutExactlyAsBgra) {
    Planes planes(4, 1, 4, 1); // 4:4:4
    const unsigned char ys[4] = {235, 16, 81, 126};
    const unsigned char cbs[4] = {128, 128, 90, 128};
    const unsigned char crs[4] = {128, 128, 240, 128};
    for (int i = 0; i < 4; ++i) {
        planes.y[i] = ys[i];
        planes.cb[i] = cbs[i];
        planes.cr[i] = crs[i];
    }
    const uint8_t alpha[4] = {255, 255, 255, 128};
    uint32_t out[4] = {1, 1, 1, 1};
    tr_VideoFrameConverter::Get().Convert(PictureOf(planes, 0, 0, 4, 1, 0, 0), alpha,
                                          reinterpret_cast<uint8_t*>(out), 16);
    EXPECT_EQ(out[0], 0xFFFFFFFFu); // white
    EXPECT_EQ(out[1], 0xFF000000u); // black
    EXPECT_EQ(out[2], 0xFFFF0000u); // red, clamped at both ends
    EXPECT_EQ(out[3], 0x80808080u); // mid grey, half transparent
}

TEST(VideoFrameConverterTest, ZeroAlphaStaysTransparentBlackAndNoAlphaIsOpaque) {
    Planes planes(2, 1, 2, 1);
    planes.y[0] = planes.y[1] = 200;
    const uint8_t alpha[2] = {0, 7};
    uint32_t out[2];
    const auto picture = PictureOf(planes, 0, 0, 2, 1, 0, 0);
    tr_VideoFrameConverter::Get().Convert(picture, alpha, reinterpret_cast<uint8_t*>(out), 8);
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1] >> 24, 7u);
    tr_VideoFrameConverter::Get().Convert(picture, nullptr, reinterpret_cast<uint8_t*>(out), 8);
    EXPECT_EQ(out[0] >> 24, 255u);
}

TEST(VideoFrameConverterTest, ChromaIsSampledInFrameCoordinatesInsideTheCropRectangle) {
    // 4:2:2 frame of 6 x 2 with chroma 3 x 2; the picture starts at (1, 1).
    Planes planes(6, 2, 3, 2);
    for (int i = 0; i < 3; ++i) {
        planes.cr[3 + i] = static_cast<unsigned char>(128 + 40 * i); // second row: rising red
    }
    for (int i = 0; i < 6; ++i) {
        planes.y[6 + i] = 126;
    }
    uint32_t out[4];
    tr_VideoFrameConverter::Get().Convert(PictureOf(planes, 1, 1, 4, 1, 1, 0), nullptr,
                                          reinterpret_cast<uint8_t*>(out), 16);
    auto red = [&](int i) { return static_cast<int>((out[i] >> 16) & 0xff); };
    // Columns 1..4 of the frame use chroma samples 0, 1, 1, 2.
    EXPECT_EQ(red(0), 128);
    EXPECT_EQ(red(1), red(2));
    EXPECT_GT(red(1), red(0));
    EXPECT_GT(red(3), red(2));
}

TEST(VideoFrameConverterTest, AlphaVideoBrightnessBecomesAlpha) {
    Planes planes(3, 2, 2, 1); // 4:2:0
    planes.y[3] = 235;
    planes.y[4] = 16;
    planes.y[5] = 126;
    uint8_t alpha[3];
    tr_VideoFrameConverter::Get().ExtractAlpha(PictureOf(planes, 0, 1, 3, 1, 1, 1), alpha);
    EXPECT_EQ(alpha[0], 255);
    EXPECT_EQ(alpha[1], 0);
    EXPECT_EQ(alpha[2], 128);
}

} // namespace
