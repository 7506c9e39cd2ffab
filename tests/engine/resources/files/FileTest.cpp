// tr_File: the six modes, block reads and writes, size measured at open.
#include "TempFolder.h"

#include "engine/resources/files/tr_File.h"
#include "engine/resources/files/tr_FileManager.h"

#include <gtest/gtest.h>

namespace {

class FileTest : public ::testing::Test {
protected:
    TempFolder temp;
    UserFolderScope scope{temp.Path(), "Brightfold", "File Game"};
};

TEST_F(FileTest, FullPathIsUserFolderPlusName) {
    tr_File file("notes.txt");
    EXPECT_EQ(file.GetFullPath(), scope.Folder() + "notes.txt");
    EXPECT_EQ(file.GetName(), "notes.txt");
}

TEST_F(FileTest, WriteAppendReadAndSize) {
    tr_File file("data.bin");
    ASSERT_TRUE(file.Open(tr_File::MODE_WRITE_BINARY));
    EXPECT_EQ(file.Write("hello", 5), 5);
    file.Close();
    ASSERT_TRUE(file.Open(tr_File::MODE_APPEND_TEXT));
    EXPECT_EQ(file.GetSize(), 5);
    EXPECT_EQ(file.Write(" you", 4), 4);
    file.Close();
    ASSERT_TRUE(file.Open(tr_File::MODE_READ_BINARY));
    EXPECT_EQ(file.GetSize(), 9);
    char block[10] = {};
    EXPECT_EQ(file.Read(block, 9), 9);
    EXPECT_STREQ(block, "hello you");
    EXPECT_EQ(file.Read(block, 1), 0); // past the end: the block is not complete
    ASSERT_TRUE(file.Open(tr_File::MODE_READ_TEXT));
    EXPECT_EQ(file.Read(block, 20), 0); // asks for more than there is
    file.Close();
    EXPECT_TRUE(file.Delete());
    EXPECT_FALSE(file.Open(tr_File::MODE_READ_BINARY));
}

TEST_F(FileTest, ClosedOrInvalidFilesFailQuietly) {
    tr_File file("x.txt");
    char block[4] = {};
    EXPECT_EQ(file.Read(block, 4), 0);
    EXPECT_EQ(file.Write("abcd", 4), 0);
    EXPECT_FALSE(file.Open(6));
    EXPECT_FALSE(file.Open(-1));
    EXPECT_FALSE(file.Delete());

    tr_FileManager::SetFolderNames("Brightfold", "");
    tr_File nowhere("x.txt");
    EXPECT_TRUE(nowhere.GetFullPath().empty());
    EXPECT_FALSE(nowhere.Open(tr_File::MODE_WRITE_BINARY));
}

} // namespace
