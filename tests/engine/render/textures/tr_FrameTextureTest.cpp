#include "TestImages.h"

#include "engine/render/tr_FrameTexture.h"
#include "engine/render/tr_Matrix.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class FrameTextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder("frames");
        // 8 x 8 atlas: columns 0..3 opaque, 4..7 transparent.
        std::vector<uint32_t> pixels(64);
        for (int i = 0; i < 64; ++i)
            pixels[static_cast<size_t>(i)] = (i % 8) < 4 ? 0xFF00FF00u : 0x0000FF00u;
        WritePng(folder + "atlas.png", 8, 8, pixels);
        WriteBytes(folder + "anim.xml",
                   "<frametexture>\n"
                   "  <frame left=\"0\" top=\"0\" widht=\"4\" height=\"4\" x=\"2\" y=\"2\""
                   " texture=\"atlas\"/>\n"
                   "  <frame left=\"4\" top=\"4\" widht=\"4\" height=\"4\" x=\"0\" y=\"0\""
                   " texture=\"atlas\"/>\n"
                   "  <frame left=\"0\" top=\"6\" widht=\"4\" height=\"10\" x=\"0\" y=\"0\""
                   " texture=\"atlas\"/>\n"
                   "  <frame left=\"1.9\" top=\"x\" texture=\"nothere\"/>\n"
                   "</frametexture>\n");
    }
    void TearDown() override { RemoveFolder(folder); }

    std::string folder;
    tr_ResourceRegistry registry;
};

TEST_F(FrameTextureTest, FramesCutRectanglesAndUVsOutOfTheirImage) {
    ::testing::internal::CaptureStdout();
    auto frames = registry.GetFrameTexture(folder + "anim");
    const std::string log = ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->GetFrameCount(), 4);
    // The frame whose image is missing stays, empty, and the load logged why.
    EXPECT_NE(log.find("Error: texture could not find \"" + folder + "nothere\" file!"),
              std::string::npos);
    EXPECT_FALSE(frames->GetFrame(3)->texture);
    EXPECT_FLOAT_EQ(frames->GetFrame(3)->left, 1.0f); // decimal integer reading
    EXPECT_FLOAT_EQ(frames->GetFrame(3)->top, 0.0f);
    // Frames naming the same image share it.
    EXPECT_EQ(frames->GetFrame(0)->texture, frames->GetFrame(1)->texture);

    tr_DrawState state;
    state.frame = 1;
    const tr_Rect rect = frames->GetRect(state);
    EXPECT_FLOAT_EQ(rect.x, 0.0f);
    EXPECT_FLOAT_EQ(rect.w, 4.0f);
    const tr_Rect uv = frames->GetUV(state);
    EXPECT_FLOAT_EQ(uv.x, 0.5f);
    EXPECT_FLOAT_EQ(uv.y, 0.5f);
    EXPECT_FLOAT_EQ(uv.w, 0.5f);
    EXPECT_EQ(frames->GetDeviceTexture(1), frames->GetFrame(0)->texture->GetDeviceTexture(0));

    state.frame = 7;
    const tr_Rect none = frames->GetRect(state);
    EXPECT_FLOAT_EQ(none.w, 0.0f);
    EXPECT_FLOAT_EQ(none.h, 0.0f);
    EXPECT_FLOAT_EQ(frames->GetUV(state).w, 0.0f);
    EXPECT_FALSE(frames->HitTest(0, 0, state));
    state.frame = 3;
    EXPECT_FLOAT_EQ(frames->GetUV(state).w, 0.0f);
}

// GetQuad, which quads ask instead of the three calls, answers as they do
// for every frame: in range, with a missing image, out of range, negative;
// and for the plain atlas texture too.
TEST_F(FrameTextureTest, QuadAnswersAsRectUVAndDeviceTextureDo) {
    ::testing::internal::CaptureStdout();
    auto frames = registry.GetFrameTexture(folder + "anim");
    ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(frames);
    const tr_Texture* textures[] = {frames.get(), frames->GetFrame(0)->texture.get()};
    for (const tr_Texture* texture : textures) {
        for (int frame : {0, 1, 2, 3, 4, -1}) {
            SCOPED_TRACE(frame);
            tr_DrawState state;
            state.frame = frame;
            tr_Texture::Quad quad;
            texture->GetQuad(state, quad);
            const tr_Rect rect = texture->GetRect(state);
            const tr_Rect uv = texture->GetUV(state);
            EXPECT_EQ(std::memcmp(&quad.rect, &rect, sizeof rect), 0);
            EXPECT_EQ(std::memcmp(&quad.uv, &uv, sizeof uv), 0);
            EXPECT_EQ(quad.device, texture->GetDeviceTexture(frame));
        }
    }
}

TEST_F(FrameTextureTest, HitTestsReadTheFramesImageAndNeverPastIt) {
    auto frames = registry.GetFrameTexture(folder + "anim");
    ASSERT_TRUE(frames);
    tr_DrawState state;
    state.transform = tr_MakeTransform(100, 100, 0, 1, 1);
    state.frame = 0; // anchor (2, 2): the frame covers 98..101
    EXPECT_TRUE(frames->HitTest(98.5f, 98.5f, state));
    EXPECT_FALSE(frames->HitTest(97.5f, 98.5f, state));
    state.frame = 1; // transparent part of the atlas
    EXPECT_FALSE(frames->HitTest(101.5f, 101.5f, state));
    // Frame 2 reaches below the 8-pixel image: rows 8..15 lie outside the mask.
    state.frame = 2;
    EXPECT_TRUE(frames->HitTest(101.5f, 100.5f, state));  // row 6
    EXPECT_FALSE(frames->HitTest(101.5f, 105.5f, state)); // row 11
    EXPECT_FALSE(frames->HitTest(101.5f, 109.5f, state)); // row 15
}

TEST_F(FrameTextureTest, MissingOrForeignDescriptionsFail) {
    tr_FrameTexture missing;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(missing.Load((folder + "none").c_str()));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error: frametexture could not find \"" + folder + "none\" file!\n");

    WriteBytes(folder + "other.xml", "<frames><frame/></frames>");
    tr_FrameTexture other;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(other.Load((folder + "other").c_str()));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

    WriteBytes(folder + "empty.xml", "<frametexture/>");
    tr_FrameTexture empty;
    EXPECT_TRUE(empty.Load((folder + "empty").c_str()));
    EXPECT_EQ(empty.GetFrameCount(), 0);
}

} // namespace
