#include "engine/resources/anim/tr_AnimRes.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include "tests/engine/objects/anim/AnimTestContent.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

namespace {

class AnimResTest : public ::testing::Test {
protected:
    AnimTestContent content{"tr_animres_test"};
    tr_ResourceRegistry registry;
    LogCapture log;
};

TEST_F(AnimResTest, ReadsFunctionsInFileOrderWithTheirFrames) {
    content.WriteText("sub/walk.xml",
                      "<animation frame_texture=\"strip\">\n"
                      "  <function name=\"go\" frametime=\"125\" loop=\"1\">\n"
                      "    <frame idx=\"3\"/><frame idx=\"1\"/><frame idx=\"2\"/>\n"
                      "  </function>\n"
                      "  <function name=\"stop\" frametime=\"40\" loop=\"2\" alpha=\"1\">\n"
                      "    <frame idx=\"7\"/>\n"
                      "  </function>\n"
                      "  <function name=\"bare\"/>\n"
                      "</animation>\n");
    tr_AnimRes res;
    ASSERT_TRUE(res.Load(content.Path("sub/walk").c_str()));
    EXPECT_EQ(res.GetName(), content.Path("sub/walk"));
    EXPECT_EQ(res.GetFrameTextureName(), content.Path("sub/strip"));
    ASSERT_EQ(res.GetFunctions().size(), 3u);

    const tr_AnimFunction& go = res.GetFunctions()[0];
    EXPECT_EQ(go.name, "go");
    EXPECT_FLOAT_EQ(go.frametime, 0.125f);
    EXPECT_TRUE(go.loop);
    EXPECT_FALSE(go.alpha); // absent means off
    EXPECT_EQ(go.frames, (std::vector<int>{3, 1, 2}));

    const tr_AnimFunction& stop = res.GetFunctions()[1];
    EXPECT_FALSE(stop.loop); // only 1 means looping
    EXPECT_TRUE(stop.alpha);
    EXPECT_EQ(stop.frames, std::vector<int>{7});

    const tr_AnimFunction& bare = res.GetFunctions()[2];
    EXPECT_FLOAT_EQ(bare.frametime, 0.0f);
    EXPECT_TRUE(bare.frames.empty());
}

TEST_F(AnimResTest, BackslashPathsNameTheFrameTextureWithForwardSlashes) {
    content.WriteText("a/b/run.xml", "<animation frame_texture=\"frames\"></animation>");
    tr_AnimRes res;
    std::string windows_name = content.Path("a\\b\\run");
    // The content path resolver accepts backslashes when opening the file.
    ASSERT_TRUE(res.Load(windows_name.c_str()));
    EXPECT_EQ(res.GetFrameTextureName(), content.Path("a/b/frames"));
}

TEST_F(AnimResTest, BadFilesFailWithTheirLogLines) {
    tr_AnimRes missing;
    const std::string name = content.Path("nothing_here");
    EXPECT_FALSE(missing.Load(name.c_str()));
    EXPECT_EQ(
        log.Count("Error: animres " + name + " could not find \"" + name + "\" file to load!"), 1);

    // Broken XML is reported the same way as a missing file.
    content.WriteText("broken.xml", "<animation frame_texture=\"x\"><function name=");
    tr_AnimRes broken;
    EXPECT_FALSE(broken.Load(content.Path("broken").c_str()));
    EXPECT_EQ(log.CountStartingWith("Error: animres " + content.Path("broken")), 1);
    EXPECT_TRUE(broken.GetFunctions().empty());

    // Another root fails without a word.
    content.WriteText("other.xml", "<frametexture><function name=\"a\"/></frametexture>");
    const size_t lines_before = log.lines.size();
    tr_AnimRes other;
    EXPECT_FALSE(other.Load(content.Path("other").c_str()));
    EXPECT_EQ(log.lines.size(), lines_before);
    EXPECT_TRUE(other.GetFunctions().empty());
}

TEST_F(AnimResTest, TheRegistrySharesOneResourcePerName) {
    content.WriteText("shared.xml",
                      "<animation frame_texture=\"s\"><function name=\"f\" frametime=\"10\" "
                      "loop=\"1\"><frame idx=\"0\"/></function></animation>");
    auto a = tr_AnimRes::GetAnimRes(content.Path("shared"));
    auto b = tr_AnimRes::GetAnimRes(content.Path("shared"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a, b);
    EXPECT_FALSE(tr_AnimRes::GetAnimRes(content.Path("absent")));
    EXPECT_FALSE(tr_AnimRes::GetAnimRes(""));
}

} // namespace
