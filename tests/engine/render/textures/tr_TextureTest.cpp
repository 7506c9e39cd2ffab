#include "TestImages.h"

#include "engine/platform/headless/tr_DeviceTexture_Null.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_Texture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace {

// 100 x 60: left half fully transparent, right half opaque red.
std::vector<uint32_t> HalfTransparent() {
    std::vector<uint32_t> pixels(100 * 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            pixels[static_cast<size_t>(y) * 100 + x] = x < 50 ? 0x00FF0000u : 0xFFFF0000u;
    return pixels;
}

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("texture"); }
    void TearDown() override {
        tr_RenderDevice::SetForcePowerOfTwo(false);
        RemoveFolder(folder);
    }

    // Loads folder + name and returns what was logged.
    std::string Load(tr_Texture& texture, const std::string& name, bool expect_ok) {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(texture.Load((folder + name).c_str()), expect_ok) << name;
        return ::testing::internal::GetCapturedStdout();
    }

    std::string folder;
};

TEST_F(TextureTest, PngKeepsExactSizeAndPixelsInDeviceOrder) {
    WritePng(folder + "half.png", 100, 60, HalfTransparent());
    tr_Texture texture;
    EXPECT_EQ(Load(texture, "half", true), "");
    EXPECT_EQ(texture.GetName(), folder + "half");
    EXPECT_FLOAT_EQ(texture.GetWidth(), 100.0f);
    EXPECT_FLOAT_EQ(texture.GetAllocWidth(), 100.0f);
    EXPECT_FLOAT_EQ(texture.GetAllocHeight(), 60.0f);
    const tr_Rect uv = texture.GetUV(tr_DrawState());
    EXPECT_FLOAT_EQ(uv.w, 1.0f);
    EXPECT_FLOAT_EQ(uv.h, 1.0f);
    const tr_Rect rect = texture.GetRect(tr_DrawState());
    EXPECT_FLOAT_EQ(rect.x, -50.0f);
    EXPECT_FLOAT_EQ(rect.y, -30.0f);
    auto* device = dynamic_cast<tr_DeviceTexture_Null*>(texture.GetDeviceTexture(0));
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetTexel(10, 10), 0x00FF0000u);
    EXPECT_EQ(device->GetTexel(99, 59), 0xFFFF0000u);
}

TEST_F(TextureTest, InterlacedPngDecodesEveryRow) {
    std::vector<uint32_t> pixels(16 * 16);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0xFF000000u | static_cast<uint32_t>(i);
    WritePng(folder + "laced.png", 16, 16, pixels, 4, 8, true);
    tr_Texture texture;
    Load(texture, "laced", true);
    auto* device = dynamic_cast<tr_DeviceTexture_Null*>(texture.GetDeviceTexture(0));
    ASSERT_NE(device, nullptr);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(device->GetTexel(x, y), pixels[static_cast<size_t>(y) * 16 + x])
                << x << "," << y;
}

TEST_F(TextureTest, ForcedPowerOfTwoAllocationScalesTheUVs) {
    WritePng(folder + "half.png", 100, 60, HalfTransparent());
    tr_RenderDevice::SetForcePowerOfTwo(true);
    tr_Texture texture;
    Load(texture, "half", true);
    EXPECT_FLOAT_EQ(texture.GetWidth(), 100.0f);
    EXPECT_FLOAT_EQ(texture.GetAllocWidth(), 128.0f);
    EXPECT_FLOAT_EQ(texture.GetAllocHeight(), 64.0f);
    const tr_Rect uv = texture.GetUV(tr_DrawState());
    EXPECT_FLOAT_EQ(uv.x, 0.0f);
    EXPECT_FLOAT_EQ(uv.w, 0.78125f);
    EXPECT_FLOAT_EQ(uv.h, 0.9375f);
    // The image sits in the top-left corner; the rest stays untouched.
    auto* device = dynamic_cast<tr_DeviceTexture_Null*>(texture.GetDeviceTexture(0));
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetTexel(99, 59), 0xFFFF0000u);
    EXPECT_EQ(device->GetTexel(100, 59), 0u);
}

TEST_F(TextureTest, JpegDecodesOpaqueAndPngWinsWhenBothExist) {
    std::vector<uint32_t> grey(16 * 8, 0xFF808080u);
    WriteJpeg(folder + "photo.jpg", 16, 8, grey);
    tr_Texture photo;
    EXPECT_EQ(Load(photo, "photo", true), "");
    auto* device = dynamic_cast<tr_DeviceTexture_Null*>(photo.GetDeviceTexture(0));
    ASSERT_NE(device, nullptr);
    const uint32_t texel = device->GetTexel(3, 3);
    EXPECT_EQ(texel >> 24, 255u);
    EXPECT_NEAR(static_cast<int>((texel >> 8) & 255), 128, 3);

    WritePng(folder + "photo.png", 4, 4, std::vector<uint32_t>(16, 0xFF00FF00u));
    tr_Texture both;
    Load(both, "photo", true);
    EXPECT_FLOAT_EQ(both.GetWidth(), 4.0f);
}

// Bands of pure red, green and blue, 16 rows each, under heights that end
// inside a band and inside a read of several rows: every row must land in
// its own place with its channels in device order and full alpha.
TEST_F(TextureTest, JpegRowsLandInPlaceInDeviceOrder) {
    const uint32_t bands[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (int height : {8, 37, 48}) {
        const int width = 24;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            std::fill_n(&pixels[static_cast<size_t>(y) * width], width, bands[(y / 16) % 3]);
        const std::string name = "bands" + std::to_string(height);
        WriteJpeg(folder + name + ".jpg", width, height, pixels);
        tr_Texture texture;
        EXPECT_EQ(Load(texture, name, true), "");
        auto* device = dynamic_cast<tr_DeviceTexture_Null*>(texture.GetDeviceTexture(0));
        ASSERT_NE(device, nullptr);
        // Rows a few pixels inside each band, clear of the blur at its edges.
        for (int y = 4; y < height; y += 16) {
            const uint32_t texel = device->GetTexel(12, y);
            const uint32_t want = bands[(y / 16) % 3];
            EXPECT_EQ(texel >> 24, 255u) << name << " row " << y;
            for (int shift : {16, 8, 0})
                EXPECT_NEAR(static_cast<int>((texel >> shift) & 255),
                            static_cast<int>((want >> shift) & 255), 40)
                    << name << " row " << y << " shift " << shift;
        }
    }
}

TEST_F(TextureTest, OpacityIsKnownFromThePixelsAtLoad) {
    std::vector<uint32_t> solid(8 * 8, 0xFF204060u);
    std::vector<uint32_t> one_translucent = solid;
    one_translucent[63] = 0xFE204060u;
    WritePng(folder + "solid.png", 8, 8, solid);
    WritePng(folder + "speck.png", 8, 8, one_translucent);
    WritePng(folder + "half.png", 100, 60, HalfTransparent());
    WriteJpeg(folder + "photo.jpg", 12, 8, std::vector<uint32_t>(12 * 8, 0xFF204060u));
    struct Case {
        const char* name;
        bool power_of_two;
        bool opaque;
    };
    const Case cases[] = {
        {"solid", false, true},
        {"speck", false, false},
        {"half", false, false},
        {"photo", false, true},
        // Padding around the picture is transparent and reachable by sampling.
        {"photo", true, false},
    };
    for (const Case& c : cases) {
        tr_RenderDevice::SetForcePowerOfTwo(c.power_of_two);
        tr_Texture texture;
        Load(texture, c.name, true);
        EXPECT_EQ(texture.IsOpaque(), c.opaque) << c.name << (c.power_of_two ? " padded" : "");
    }
}

TEST_F(TextureTest, BadFilesLogAndFail) {
    struct Case {
        std::string name;
        std::string expected_log;
    };
    WritePng(folder + "rgb.png", 4, 4, std::vector<uint32_t>(16, 0xFF112233u), 3);
    WritePng(folder + "deep.png", 4, 4, std::vector<uint32_t>(16, 0xFF112233u), 4, 16);
    WritePng(folder + "grey.png", 4, 4, std::vector<uint32_t>(16, 0xFF112233u), 1);
    WriteJpeg(folder + "mono.jpg", 8, 8, std::vector<uint32_t>(64, 0xFF808080u), 1);
    WritePng(folder + "whole.png", 64, 64, std::vector<uint32_t>(64 * 64, 0xFF123456u));
    const std::string png = ReadBytes(folder + "whole.png");
    WriteBytes(folder + "truncated.png", png.substr(0, png.size() / 2));
    WriteBytes(folder + "corrupt.png", "\x89PNG\r\n\x1a\n" + std::string(40, '\x07'));
    WriteBytes(folder + "notpng.png", "GIF89a, certainly not a PNG file");
    WriteJpeg(folder + "wholej.jpg", 64, 64, std::vector<uint32_t>(64 * 64, 0xFF123456u));
    const std::string jpg = ReadBytes(folder + "wholej.jpg");
    WriteBytes(folder + "truncated.jpg", jpg.substr(0, jpg.size() / 2));
    WriteBytes(folder + "corrupt.jpg", "\xFF\xD8\xFF\xE0 this is no JPEG stream at all");

    const std::string f = folder;
    const Case cases[] = {
        {"missing", "Error: texture could not find \"" + f + "missing\" file!\n"},
        {"rgb", "Error: PNG image is not 32 bit format. File " + f +
                    "rgb.png\nError: can`t read png texture \"" + f + "rgb\" file!\n"},
        {"deep", "Error: PNG image is not 32 bit format. File " + f +
                     "deep.png\nError: can`t read png texture \"" + f + "deep\" file!\n"},
        {"grey", "Error: PNG image is not 32 bit format. File " + f +
                     "grey.png\nError: can`t read png texture \"" + f + "grey\" file!\n"},
        {"truncated", "Error: Error during read_image\nError: can`t read png texture \"" + f +
                          "truncated\" file!\n"},
        {"corrupt",
         "Error: Error during init_io\nError: can`t read png texture \"" + f + "corrupt\" file!\n"},
        {"notpng", "Error: File " + f + "notpng.png is not recognized as a PNG file\n" +
                       "Error: can`t read png texture \"" + f + "notpng\" file!\n"},
    };
    for (const Case& c : cases) {
        tr_Texture texture;
        EXPECT_EQ(Load(texture, c.name, false), c.expected_log) << c.name;
        EXPECT_EQ(texture.GetDeviceTexture(0), nullptr) << c.name;
    }
    for (const std::string name : {"truncated", "corrupt"}) {
        // Only the JPEG exists under these names in a folder of their own.
        const std::string jpeg_folder = MakeTempFolder("jpeg");
        WriteBytes(jpeg_folder + name + ".jpg", ReadBytes(folder + name + ".jpg"));
        tr_Texture texture;
        ::testing::internal::CaptureStdout();
        EXPECT_FALSE(texture.Load((jpeg_folder + name).c_str()));
        EXPECT_EQ(::testing::internal::GetCapturedStdout(),
                  "Error: JPEG code has signaled an error. File " + jpeg_folder + name +
                      ".jpg\nError: can`t read jpg texture \"" + jpeg_folder + name + "\" file!\n");
        RemoveFolder(jpeg_folder);
    }
    tr_Texture mono;
    EXPECT_EQ(Load(mono, "mono", true), ""); // grey JPEGs decode to RGB
}

// A PNG whose header claims width x height RGBA pixels, with no image data.
std::string PngClaiming(uint32_t width, uint32_t height) {
    auto big_endian = [](uint32_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    auto chunk = [&](const std::string& type, const std::string& data) {
        const std::string body = type + data;
        const uLong crc =
            crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
        return big_endian(static_cast<uint32_t>(data.size())) + body +
               big_endian(static_cast<uint32_t>(crc));
    };
    const std::string header =
        big_endian(width) + big_endian(height) + std::string("\x08\x06", 2) + std::string(3, '\0');
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + chunk("IDAT", "") + chunk("IEND", "");
}

// A 3 KB JPEG claiming 16384 x 16384 pixels once took 2 GB to load.
TEST_F(TextureTest, ImagesClaimingMoreThanTheTextureBudgetAreRefusedBeforeDecoding) {
    WriteBytes(folder + "huge.jpg",
               ReadBytes(std::string(TARROW_TEST_CONTENT) + "/hostile/jpeg_claims_16384.jpg"));
    WriteBytes(folder + "wide.png", PngClaiming(16385, 1));
    WriteBytes(folder + "big.png", PngClaiming(4097, 4096));
    const std::string f = folder;
    const std::pair<std::string, std::string> cases[] = {
        {"huge", "Error: image " + f + "huge.jpg claims 16384 x 16384 pixels, more than a " +
                     "texture may hold\nError: can`t read jpg texture \"" + f + "huge\" file!\n"},
        {"wide", "Error: image " + f + "wide.png claims 16385 x 1 pixels, more than a " +
                     "texture may hold\nError: can`t read png texture \"" + f + "wide\" file!\n"},
        {"big", "Error: image " + f + "big.png claims 4097 x 4096 pixels, more than a " +
                    "texture may hold\nError: can`t read png texture \"" + f + "big\" file!\n"},
    };
    for (const auto& c : cases) {
        tr_Texture texture;
        EXPECT_EQ(Load(texture, c.first, false), c.second) << c.first;
    }
    // Just within the budget, a header alone reaches the decoding of rows.
    WriteBytes(folder + "tall.png", PngClaiming(1, 16384));
    tr_Texture tall;
    EXPECT_EQ(Load(tall, "tall", false),
              "Error: Error during read_image\nError: can`t read png texture \"" + f +
                  "tall\" file!\n");
}

TEST_F(TextureTest, TransparentPngPixelsMissWhereJpegPixelsHit) {
    WritePng(folder + "half.png", 100, 60, HalfTransparent());
    WriteJpeg(folder + "solid.jpg", 100, 60, HalfTransparent());
    tr_Texture png;
    tr_Texture jpeg;
    Load(png, "half", true);
    Load(jpeg, "solid", true);
    tr_DrawState state;
    state.transform = tr_MakeTransform(200, 100, 0, 1, 1);
    EXPECT_FALSE(png.HitTest(160, 100, state)); // column 10: transparent
    EXPECT_TRUE(jpeg.HitTest(160, 100, state));
    EXPECT_TRUE(png.HitTest(230, 100, state)); // column 80: opaque
    EXPECT_FALSE(png.HitTest(260, 100, state));
    EXPECT_FALSE(jpeg.HitTest(260, 100, state));

    // Draw offset and mirroring move the mask with the picture.
    EXPECT_TRUE(png.HitTest(205, 100, state)); // column 55
    state.offset_x = 10.0f;
    EXPECT_FALSE(png.HitTest(205, 100, state)); // column 45
    EXPECT_TRUE(png.HitTest(255, 100, state));  // column 95
    state.offset_x = 0.0f;
    state.transform = tr_MakeTransform(200, 100, 0, -1, 1);
    EXPECT_TRUE(png.HitTest(160, 100, state));  // mirrored: column 90
    EXPECT_FALSE(png.HitTest(230, 100, state)); // mirrored: column 20
    // A singular transform hits nothing.
    state.transform = tr_MakeTransform(200, 100, 0, 0, 0);
    EXPECT_FALSE(png.HitTest(200, 100, state));
}

TEST(OpacityMaskTest, EdgesAndOversizedImagesReadNothingOutside) {
    std::vector<uint32_t> opaque(40 * 3, 0xFF000000u);
    tr_OpacityMask mask;
    mask.Build(reinterpret_cast<const uint8_t*>(opaque.data()), 40, 3, 40 * 4);
    EXPECT_TRUE(mask.Get(39, 2));
    EXPECT_TRUE(mask.Get(32, 0)); // second column group
    EXPECT_FALSE(mask.Get(40, 0));
    EXPECT_FALSE(mask.Get(0, 3));
    EXPECT_FALSE(mask.Get(-1, 0));
    mask.Build(nullptr, 32768, 2, 0);
    EXPECT_TRUE(mask.IsEmpty());
    EXPECT_FALSE(mask.Get(0, 0));
}

} // namespace
