// The one reader of content and user files: only regular files, sizes capped
// by kind, a log line naming every refused file.
#include "../text/LogCapture.h"
#include "TempFolder.h"

#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/files/tr_FileReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileReaderTest : public ::testing::Test {
protected:
    int LinesNaming(const std::string& path) const {
        int count = 0;
        for (const std::string& line : log.lines)
            count += line.find("\"" + path + "\"") != std::string::npos ? 1 : 0;
        return count;
    }
    TempFolder temp;
    LogCapture log;
};

// Each of these would hang the game (a FIFO nobody writes) or fill its memory
// (a link to /dev/zero) if it were read like a file.
TEST_F(FileReaderTest, WhatIsNotARegularFileIsRefusedAndNamed) {
    const std::string fifo = temp.Path() + "/module.xml";
    const std::string zero = temp.Path() + "/font.trfnt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    for (const std::string& path : {fifo, zero}) {
        SCOPED_TRACE(path);
        std::vector<char> data;
        EXPECT_FALSE(tr_ContentPath::ReadBinary(path, data, tr_FileReader::KIND_MODULE));
        EXPECT_TRUE(data.empty());
        std::string text = "old";
        EXPECT_FALSE(tr_ContentPath::ReadText(path, text, tr_FileReader::KIND_SUBTITLES));
        EXPECT_TRUE(text.empty());
        EXPECT_EQ(tr_ContentPath::Open(path), nullptr);
        EXPECT_EQ(tr_FileReader::Open(path, "wb"), nullptr);
        EXPECT_EQ(LinesNaming(path), 4);
    }
    // Folders are refused without a word: paths are probed for them all the time.
    EXPECT_EQ(tr_ContentPath::Open(temp.Path()), nullptr);
    EXPECT_EQ(LinesNaming(temp.Path()), 0);
}

TEST_F(FileReaderTest, WholeReadsAreCappedByKind) {
    const std::string path = temp.Path() + "/config.xml";
    const size_t limit = tr_FileReader::Limit(tr_FileReader::KIND_CONFIG);
    ASSERT_LT(limit, tr_FileReader::Limit(tr_FileReader::KIND_MEDIA));
    TempFolder::WriteText(path, "");
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(limit)), 0);

    std::vector<char> data;
    EXPECT_TRUE(tr_ContentPath::ReadBinary(path, data, tr_FileReader::KIND_CONFIG));
    EXPECT_EQ(data.size(), limit);

    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(limit + 1)), 0);
    EXPECT_FALSE(tr_ContentPath::ReadBinary(path, data, tr_FileReader::KIND_CONFIG));
    EXPECT_TRUE(data.empty());
    ASSERT_EQ(LinesNaming(path), 1);
    EXPECT_NE(log.lines.back().find("the limit for a configuration file"), std::string::npos);
    EXPECT_TRUE(tr_ContentPath::ReadBinary(path, data, tr_FileReader::KIND_MEDIA));
    EXPECT_EQ(data.size(), limit + 1);
}

TEST_F(FileReaderTest, UserFilesThatAreNotRegularAreNotRead) {
    UserFolderScope scope{temp.Path(), "Brightfold", "Reader Game"};
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    const std::string fifo = scope.Folder() + "settings.xml";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::vector<char> buffer;
    int size = -1;
    EXPECT_EQ(files->ReadUserFile("settings.xml", buffer, size), tr_FileManager::READ_CANNOT_OPEN);
    EXPECT_EQ(size, -1);
    EXPECT_EQ(LinesNaming(fifo), 1);
}

} // namespace
