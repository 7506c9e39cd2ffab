// PNG files in the forms image tools write, rewritten as the one form the
// decoder takes: every format keeps its look (checked through the engine's
// own decoder), the description names the format, an 8-bit RGBA file is left
// byte for byte, and what is no PNG is refused with the file untouched.
#include "engine/resources/images/tr_PngConverter.h"
#include "engine/resources/images/tr_PngDecoder.h"
#include "tests/engine/resources/files/TempFolder.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <vector>

namespace {

struct Rgba {
    int r, g, b, a;
};

struct FormatCase {
    const char* description;
    int color_type;
    int bit_depth;
    // One row of two pixels as the file stores it.
    std::vector<uint8_t> row;
    std::vector<uint8_t> palette;      // RGB triples
    std::vector<uint8_t> transparency; // palette alpha
    Rgba first, second;
};

void WritePng(const std::string& path, const FormatCase& c) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, 2, 1, c.bit_depth, c.color_type, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!c.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(c.palette.data()),
                     static_cast<int>(c.palette.size() / 3));
    if (!c.transparency.empty())
        png_set_tRNS(png, info, c.transparency.data(), static_cast<int>(c.transparency.size()),
                     nullptr);
    png_write_info(png, info);
    std::vector<uint8_t> row = c.row;
    png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

Rgba PixelAt(const tr_DecodedImage& image, int x) {
    const uint8_t* p = &image.pixels[static_cast<size_t>(x) * 4];
    return {p[2], p[1], p[0], p[3]};
}

void ExpectPixel(const Rgba& got, const Rgba& want, const char* what) {
    EXPECT_EQ(got.r, want.r) << what;
    EXPECT_EQ(got.g, want.g) << what;
    EXPECT_EQ(got.b, want.b) << what;
    EXPECT_EQ(got.a, want.a) << what;
}

TEST(PngConverterTest, EveryFormatBecomesRgbaWithTheSameLook) {
    const FormatCase cases[] = {
        {"1-bit grey",
         PNG_COLOR_TYPE_GRAY,
         1,
         {0x40},
         {},
         {},
         {0, 0, 0, 255},
         {255, 255, 255, 255}},
        {"8-bit grey",
         PNG_COLOR_TYPE_GRAY,
         8,
         {0x10, 0xf0},
         {},
         {},
         {16, 16, 16, 255},
         {240, 240, 240, 255}},
        {"16-bit grey",
         PNG_COLOR_TYPE_GRAY,
         16,
         {0x80, 0x00, 0xff, 0xff},
         {},
         {},
         {128, 128, 128, 255},
         {255, 255, 255, 255}},
        {"8-bit grey with alpha",
         PNG_COLOR_TYPE_GRAY_ALPHA,
         8,
         {0x20, 0x80, 0xe0, 0x00},
         {},
         {},
         {32, 32, 32, 128},
         {224, 224, 224, 0}},
        {"8-bit RGB",
         PNG_COLOR_TYPE_RGB,
         8,
         {1, 2, 3, 250, 251, 252},
         {},
         {},
         {1, 2, 3, 255},
         {250, 251, 252, 255}},
        {"16-bit RGB",
         PNG_COLOR_TYPE_RGB,
         16,
         {0x33, 0x33, 0x66, 0x66, 0xcc, 0xcc, 0, 0, 0, 0x80, 0xff, 0xff},
         {},
         {},
         {51, 102, 204, 255},
         {0, 0, 255, 255}},
        {"16-bit RGBA",
         PNG_COLOR_TYPE_RGBA,
         16,
         {0x33, 0x33, 0x66, 0x66, 0xcc, 0xcc, 0xff, 0xff, 0x10, 0x10, 0x20, 0x20, 0x30, 0x30, 0x80,
          0x80},
         {},
         {},
         {51, 102, 204, 255},
         {16, 32, 48, 128}},
        {"8-bit palette with a transparent colour",
         PNG_COLOR_TYPE_PALETTE,
         8,
         {0, 1},
         {10, 20, 30, 200, 100, 50},
         {0},
         {10, 20, 30, 0},
         {200, 100, 50, 255}},
        {"4-bit palette",
         PNG_COLOR_TYPE_PALETTE,
         4,
         {0x10},
         {9, 8, 7, 60, 70, 80},
         {},
         {60, 70, 80, 255},
         {9, 8, 7, 255}},
    };
    TempFolder folder;
    LogCapture log;
    for (const FormatCase& c : cases) {
        const std::string path = folder.Path() + "/picture.png";
        WritePng(path, c);
        std::string format;
        ASSERT_TRUE(tr_PngConverter::Describe(path, format, nullptr)) << c.description;
        EXPECT_EQ(format, c.description);
        tr_DecodedImage image;
        EXPECT_FALSE(tr_PngDecoder::Decode(path, image)) << c.description;

        std::string error;
        ASSERT_TRUE(tr_PngConverter::ConvertToRgba8(path, &error)) << c.description << error;
        ASSERT_TRUE(tr_PngConverter::Describe(path, format, nullptr));
        EXPECT_EQ(format, "8-bit RGBA") << c.description;
        ASSERT_TRUE(tr_PngDecoder::Decode(path, image)) << c.description;
        ASSERT_EQ(image.width, 2);
        ASSERT_EQ(image.height, 1);
        ExpectPixel(PixelAt(image, 0), c.first, c.description);
        ExpectPixel(PixelAt(image, 1), c.second, c.description);
        EXPECT_FALSE(TempFolder::Exists(path + ".converting")) << c.description;
    }
}

TEST(PngConverterTest, RgbaFilesStayAndOtherFilesAreRefusedUntouched) {
    TempFolder folder;
    LogCapture log;
    const std::string rgba = folder.Path() + "/rgba.png";
    WritePng(rgba, {"8-bit RGBA",
                    PNG_COLOR_TYPE_RGBA,
                    8,
                    {1, 2, 3, 4, 5, 6, 7, 8},
                    {},
                    {},
                    {1, 2, 3, 4},
                    {5, 6, 7, 8}});
    const std::string before = TempFolder::ReadText(rgba);
    EXPECT_TRUE(tr_PngConverter::ConvertToRgba8(rgba, nullptr));
    EXPECT_EQ(TempFolder::ReadText(rgba), before);

    const std::pair<const char*, const char*> refused[] = {
        {"text.png", "not a picture at all"},
        {"cut.png", "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR"},
    };
    for (const auto& file : refused) {
        const std::string path = folder.Path() + "/" + file.first;
        TempFolder::WriteText(path, file.second);
        std::string error;
        std::string format;
        EXPECT_FALSE(tr_PngConverter::Describe(path, format, &error)) << file.first;
        EXPECT_FALSE(error.empty()) << file.first;
        EXPECT_FALSE(tr_PngConverter::ConvertToRgba8(path, &error)) << file.first;
        EXPECT_EQ(TempFolder::ReadText(path), file.second) << file.first;
    }
    std::string error;
    EXPECT_FALSE(tr_PngConverter::ConvertToRgba8(folder.Path() + "/missing.png", &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
