#include "engine/render/tr_GeneratedTexture.h"
#include "engine/platform/headless/tr_DeviceTexture_Null.h"
#include "engine/render/tr_RenderTargetTexture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const tr_DeviceTexture_Null* Device(const tr_Texture& texture) {
    return dynamic_cast<const tr_DeviceTexture_Null*>(texture.GetDeviceTexture(0));
}

TEST(GeneratedTextureTest, OddSizesGrowToEvenAndColoursFillEveryTexel) {
    tr_GeneratedTexture texture;
    const float rgb[3] = {1.0f, 0.5f, 0.0f};
    ASSERT_TRUE(texture.Create(5, 3, rgb));
    EXPECT_FLOAT_EQ(texture.GetWidth(), 6.0f);
    EXPECT_FLOAT_EQ(texture.GetHeight(), 4.0f);
    ASSERT_NE(Device(texture), nullptr);
    EXPECT_EQ(Device(texture)->GetTexel(5, 3), 0xFFFF7F00u);
    // No mask: the whole rectangle hits.
    EXPECT_TRUE(texture.HitTest(2.9f, 1.9f, tr_DrawState()));
    EXPECT_FALSE(texture.Create(0, 3));

    ASSERT_TRUE(texture.Create(2, 2));
    EXPECT_EQ(Device(texture)->GetTexel(1, 1), 0u);
}

TEST(GeneratedTextureTest, PixelsWithAStrideReadOnlyTheImage) {
    // A 3 x 3 image in a buffer of exactly 3 x 3 pixels: nothing past it is read.
    auto pixels = std::make_unique<uint32_t[]>(9);
    for (int i = 0; i < 9; ++i)
        pixels[static_cast<size_t>(i)] = 0xFF000000u | static_cast<uint32_t>(i);
    tr_GeneratedTexture texture;
    ASSERT_TRUE(
        texture.CreateFromPixels(reinterpret_cast<const uint8_t*>(pixels.get()), 3, 3, 3 * 4));
    EXPECT_FLOAT_EQ(texture.GetWidth(), 4.0f);
    EXPECT_EQ(Device(texture)->GetTexel(2, 2), 0xFF000008u);
    EXPECT_EQ(Device(texture)->GetTexel(0, 1), 0xFF000003u);
    EXPECT_EQ(Device(texture)->GetTexel(3, 0), 0u); // padding stays transparent
    EXPECT_EQ(Device(texture)->GetTexel(0, 3), 0u);

    // Without a stride the caller supplies rows of the rounded size.
    std::vector<uint32_t> rounded(16, 0xFF0000FFu);
    ASSERT_TRUE(texture.CreateFromPixels(reinterpret_cast<const uint8_t*>(rounded.data()), 3, 3));
    EXPECT_EQ(Device(texture)->GetTexel(3, 3), 0xFF0000FFu);

    // Same size: the device texture is rewritten in place.
    const tr_DeviceTexture* before = texture.GetDeviceTexture(0);
    ASSERT_TRUE(texture.UpdatePixels(reinterpret_cast<const uint8_t*>(pixels.get()), 3, 3, 3 * 4));
    EXPECT_EQ(texture.GetDeviceTexture(0), before);
    EXPECT_EQ(Device(texture)->GetTexel(2, 2), 0xFF000008u);
}

TEST(GeneratedTextureTest, RenderTargetsRoundTheirSize) {
    tr_RenderTargetTexture target;
    ASSERT_TRUE(target.Create(801, 600));
    EXPECT_FLOAT_EQ(target.GetWidth(), 802.0f);
    EXPECT_NE(target.GetDeviceTexture(0), nullptr);
}

} // namespace
