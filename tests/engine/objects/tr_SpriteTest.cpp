#include "engine/objects/tr_Sprite.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

#include <unistd.h>

namespace {

// 20 x 10 PNG: left half transparent, right half opaque.
void WriteHalfPng(const std::string& path, int width) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, 10, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4, 255);
    for (int x = 0; x < width / 2; ++x)
        row[static_cast<size_t>(x) * 4 + 3] = 0;
    for (int y = 0; y < 10; ++y)
        png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Tests run in parallel processes: each gets a folder of its own.
        folder = ::testing::TempDir() + "tr_sprite_test_" + std::to_string(getpid()) + "/";
        std::filesystem::create_directories(folder);
        WriteHalfPng(folder + "half.png", 20);
        WriteHalfPng(folder + "wide.png", 40);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    tr_DrawState At(float x, float y) {
        tr_DrawState state;
        state.transform = tr_MakeTransform(x, y, 0, 1, 1);
        return state;
    }

    std::string folder;
    tr_ResourceRegistry registry;
};

TEST_F(SpriteTest, SpritesOfOneNameShareATextureThatDiesWithThem) {
    auto a = std::make_unique<tr_Sprite>("a");
    auto b = std::make_unique<tr_Sprite>("b");
    a->SetRes(folder + "half");
    b->SetRes(folder + "half");
    a->LoadResources();
    b->LoadResources();
    ASSERT_TRUE(a->GetTexture());
    EXPECT_EQ(a->GetTexture(), b->GetTexture());
    EXPECT_EQ(a->GetResource(), b->GetResource());
    EXPECT_EQ(a->GetType(), "spr");

    a.reset();
    b.reset();
    WriteHalfPng(folder + "half.png", 40);
    tr_Sprite c("c");
    c.SetRes(folder + "half");
    c.LoadResources();
    ASSERT_TRUE(c.GetTexture());
    EXPECT_FLOAT_EQ(c.GetDrawRect().w, 40.0f); // loaded afresh
}

TEST_F(SpriteTest, LoadingTwiceLoadsOnceAndReloadingLooksUpAgain) {
    tr_Sprite sprite("s");
    sprite.SetRes(folder + "half");
    sprite.LoadResources();
    auto first = sprite.GetTexture();
    sprite.SetTexture(nullptr);
    sprite.LoadResources(); // already loaded: nothing happens
    EXPECT_FALSE(sprite.GetTexture());
    sprite.UnloadResources();
    EXPECT_FALSE(sprite.AreResourcesLoaded());
    sprite.LoadResources();
    EXPECT_EQ(sprite.GetTexture(), first);
}

TEST_F(SpriteTest, HitTestsArePixelExactUnlessAnInputRectangleWasLoaded) {
    tr_Sprite sprite("s");
    sprite.SetRes(folder + "half");
    sprite.LoadResources();
    // The input rectangle follows the texture, without marking it explicit.
    EXPECT_FALSE(sprite.IsInputRectDefined());
    EXPECT_FLOAT_EQ(sprite.GetInputRect().x, -10.0f);
    EXPECT_FLOAT_EQ(sprite.GetInputRect().w, 20.0f);
    EXPECT_FALSE(sprite.HitTest(95, 50, At(100, 50))); // transparent column 5
    EXPECT_TRUE(sprite.HitTest(105, 50, At(100, 50)));

    tr_Sprite framed("f");
    framed.SetInputRect(tr_Rect{-30, -30, 60, 60});
    framed.SetRes(folder + "half");
    framed.LoadResources();
    EXPECT_FLOAT_EQ(framed.GetInputRect().w, 60.0f);
    EXPECT_TRUE(framed.HitTest(95, 50, At(100, 50)));
    EXPECT_TRUE(framed.HitTest(125, 50, At(100, 50)));
}

TEST_F(SpriteTest, MissingTexturesDrawNothingAndFallBackToTheInputRectangle) {
    tr_Sprite sprite("s");
    sprite.SetRes(folder + "absent");
    ::testing::internal::CaptureStdout();
    sprite.LoadResources();
    EXPECT_NE(::testing::internal::GetCapturedStdout().find("Error: texture could not find"),
              std::string::npos);
    EXPECT_FLOAT_EQ(sprite.GetDrawRect().w, 0.0f);
    EXPECT_FALSE(sprite.HitTest(100, 50, At(100, 50)));

    tr_Render_Null render;
    render.Init(200, 100);
    render.BeginDraw();
    sprite.Draw(&render, At(100, 50));
    EXPECT_EQ(render.GetDrawCount(), 0);
}

TEST_F(SpriteTest, DrawShowsTheTextureItWasLastGiven) {
    tr_Render_Null render;
    render.Init(200, 100);
    render.SetRecording(true);
    tr_Sprite sprite("s");
    sprite.SetRes(folder + "half");
    sprite.LoadResources();
    auto other = std::make_shared<tr_GeneratedTexture>();
    ASSERT_TRUE(other->Create(8, 8));
    const std::shared_ptr<tr_Texture> original = sprite.GetTexture();
    render.BeginDraw();
    sprite.Draw(&render, At(100, 50));
    sprite.SetTexture(other);
    EXPECT_EQ(sprite.GetRes(), folder + "half");
    sprite.Draw(&render, At(100, 50));
    ASSERT_EQ(render.GetRecordedDraws().size(), 2u);
    EXPECT_EQ(render.GetRecordedDraws()[0].texture, original.get());
    EXPECT_EQ(render.GetRecordedDraws()[1].texture, other.get());
    // A reload cycle goes back to the registry's texture for "res".
    sprite.UnloadResources();
    sprite.LoadResources();
    EXPECT_EQ(sprite.GetTexture(), original);
}

} // namespace
