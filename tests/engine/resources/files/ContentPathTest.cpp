// Content paths: backslashes, case-insensitive fallback, text reads.
#include "TempFolder.h"

#include "engine/resources/files/tr_ContentPath.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class ContentPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = temp.Path();
        ASSERT_EQ(std::system(("mkdir -p '" + root + "/Assets/Rooms/Hall'").c_str()), 0);
        TempFolder::WriteText(root + "/Assets/Rooms/Hall/Door.PNG", "png");
    }
    TempFolder temp;
    std::string root;
};

TEST_F(ContentPathTest, ExactPathsAndBackslashes) {
    EXPECT_EQ(tr_ContentPath::Resolve(root + "/Assets/Rooms/Hall/Door.PNG"),
              root + "/Assets/Rooms/Hall/Door.PNG");
    EXPECT_EQ(tr_ContentPath::Resolve(root + "\\Assets\\Rooms\\Hall\\Door.PNG"),
              root + "/Assets/Rooms/Hall/Door.PNG");
}

TEST_F(ContentPathTest, CaseInsensitiveMatchPerComponent) {
    EXPECT_EQ(tr_ContentPath::Resolve(root + "/assets/ROOMS/hall/door.png"),
              root + "/Assets/Rooms/Hall/Door.PNG");
    FILE* file = tr_ContentPath::Open(root + "\\assets\\rooms\\HALL\\door.png");
    ASSERT_NE(file, nullptr);
    char text[4] = {};
    EXPECT_EQ(std::fread(text, 1, 3, file), 3u);
    std::fclose(file);
    EXPECT_STREQ(text, "png");
    EXPECT_TRUE(tr_ContentPath::Exists(root + "/ASSETS/rooms"));
}

TEST_F(ContentPathTest, ExactMatchWinsAndMissingPathsStayReadable) {
    TempFolder::WriteText(root + "/Assets/a.txt", "lower");
    TempFolder::WriteText(root + "/Assets/A.txt", "upper");
    std::string text;
    ASSERT_TRUE(tr_ContentPath::ReadText(root + "/Assets/A.txt", text));
    EXPECT_EQ(text, "upper");
    ASSERT_TRUE(tr_ContentPath::ReadText(root + "/assets/a.txt", text));
    EXPECT_EQ(text, "lower");
    EXPECT_EQ(tr_ContentPath::Resolve(root + "\\assets\\missing\\x.png"),
              root + "/assets/missing/x.png");
    EXPECT_FALSE(tr_ContentPath::Exists(root + "/assets/missing/x.png"));
    EXPECT_EQ(tr_ContentPath::Open(root + "/assets/missing/x.png"), nullptr);
    EXPECT_EQ(tr_ContentPath::Open(root + "/assets"), nullptr); // a folder
}

TEST_F(ContentPathTest, RelativePathsResolveFromTheWorkingDirectory) {
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(chdir(root.c_str()), 0);
    const bool found = tr_ContentPath::Exists("assets\\rooms\\hall\\DOOR.png");
    const std::string resolved = tr_ContentPath::Resolve("assets/rooms/hall/door.png");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_TRUE(found);
    EXPECT_EQ(resolved, "Assets/Rooms/Hall/Door.PNG");
}

TEST_F(ContentPathTest, TextReadDropsOnlyCarriageReturnsBeforeLineFeeds) {
    TempFolder::WriteText(root + "/Assets/strings.xml", "a\r\nb\rc\r\n\r\r\nend\r");
    std::string text;
    ASSERT_TRUE(tr_ContentPath::ReadText(root + "/assets/STRINGS.xml", text));
    EXPECT_EQ(text, "a\nb\rc\n\r\nend\r");
    std::vector<char> bytes;
    ASSERT_TRUE(tr_ContentPath::ReadBinary(root + "/Assets/strings.xml", bytes));
    EXPECT_EQ(bytes.size(), 15u);
    EXPECT_FALSE(tr_ContentPath::ReadText(root + "/nothing", text));
}

} // namespace
