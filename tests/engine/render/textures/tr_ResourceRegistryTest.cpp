#include "TestImages.h"

#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class ResourceRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("registry"); }
    void TearDown() override { RemoveFolder(folder); }

    std::string folder;
    tr_ResourceRegistry registry;
};

TEST_F(ResourceRegistryTest, UsersShareOneTextureUntilTheLastLetsGo) {
    EXPECT_EQ(tr_ResourceRegistry::Get(), &registry);
    WritePng(folder + "a.png", 4, 4, std::vector<uint32_t>(16, 0xFFFFFFFFu));
    auto first = registry.GetTexture(folder + "a");
    auto second = registry.GetTexture(folder + "a");
    ASSERT_TRUE(first);
    EXPECT_EQ(first, second);

    // While a user holds it, a changed file is not looked at.
    WritePng(folder + "a.png", 8, 2, std::vector<uint32_t>(16, 0xFFFFFFFFu));
    EXPECT_FLOAT_EQ(registry.GetTexture(folder + "a")->GetWidth(), 4.0f);
    first.reset();
    second.reset();
    auto third = registry.GetTexture(folder + "a");
    ASSERT_TRUE(third);
    EXPECT_FLOAT_EQ(third->GetWidth(), 8.0f);
}

TEST_F(ResourceRegistryTest, MissingNamesLogOnEveryLookupAndAreNotRemembered) {
    const std::string expected = "Error: texture could not find \"" + folder + "late\" file!\n";
    for (int i = 0; i < 2; ++i) {
        ::testing::internal::CaptureStdout();
        EXPECT_FALSE(registry.GetTexture(folder + "late"));
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), expected);
    }
    WritePng(folder + "late.png", 2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    EXPECT_TRUE(registry.GetTexture(folder + "late"));
    EXPECT_FALSE(registry.GetTexture(""));
    EXPECT_FALSE(registry.GetResource(folder + "late", 5));
}

TEST_F(ResourceRegistryTest, TextureAndFrameTextureOfOneNameStayApart) {
    WritePng(folder + "x.png", 4, 4, std::vector<uint32_t>(16, 0xFFFFFFFFu));
    WriteBytes(folder + "x.xml", "<frametexture><frame widht=\"2\" height=\"2\" texture=\"x\"/>"
                                 "</frametexture>");
    auto texture = registry.GetTexture(folder + "x");
    auto frames = registry.GetFrameTexture(folder + "x");
    ASSERT_TRUE(texture);
    ASSERT_TRUE(frames);
    EXPECT_NE(static_cast<tr_Texture*>(frames.get()), texture.get());
    EXPECT_EQ(frames->GetFrame(0)->texture, texture);
    EXPECT_FALSE(std::dynamic_pointer_cast<tr_FrameTexture>(registry.GetTexture(folder + "x")));
}

TEST_F(ResourceRegistryTest, ExpiredEntriesAreSweptEveryTwoHundredLookups) {
    WritePng(folder + "s.png", 2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu));
    registry.GetTexture(folder + "s"); // dies at once
    EXPECT_EQ(registry.GetEntryCount(), 1u);
    for (int i = 0; i < 198; ++i)
        registry.GetTexture("");
    EXPECT_EQ(registry.GetEntryCount(), 1u); // 199 lookups so far
    registry.GetTexture("");
    EXPECT_EQ(registry.GetEntryCount(), 0u); // the 200th swept
}

TEST_F(ResourceRegistryTest, ResourceXmlOpensSlashedPathsAndLogsFailures) {
    std::filesystem::create_directories(folder + "a/b");
    WriteBytes(folder + "a/b/c.xml", "<effect rate=\"12\"/>");
    std::string windows_name = folder + "a\\b\\c";
    auto reader = registry.OpenResourceXml(".xml", windows_name);
    ASSERT_TRUE(reader);
    int rate = 0;
    EXPECT_TRUE(reader->ReadInt("rate", rate));
    EXPECT_EQ(rate, 12);

    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(registry.OpenResourceXml(".xml", folder + "nope"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error: resource file not found " + folder + "nope.xml.\n");

    WriteBytes(folder + "broken.xml", "<effect rate=\"12\"");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(registry.OpenResourceXml(".xml", folder + "broken"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error: resource xml-file could not be parsed \"" + folder + "broken\" !\n");

    WriteBytes(folder + "data.bin", "x");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(registry.OpenResourceXml(".bin", folder + "data"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error: no loader for such format \"" + folder + "data\" \n");
}

TEST(ResourceRegistryFallbackTest, LookupsWithoutAnEngineRegistryGetOneThatStepsAside) {
    ASSERT_EQ(tr_ResourceRegistry::Get(), nullptr);
    tr_ResourceRegistry* fallback = tr_ResourceRegistry::GetOrCreate();
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(tr_ResourceRegistry::GetOrCreate(), fallback);
    {
        tr_ResourceRegistry engine_registry;
        EXPECT_EQ(tr_ResourceRegistry::GetOrCreate(), &engine_registry);
    }
    EXPECT_EQ(tr_ResourceRegistry::Get(), nullptr);
    EXPECT_NE(tr_ResourceRegistry::GetOrCreate(), nullptr);
}

} // namespace
