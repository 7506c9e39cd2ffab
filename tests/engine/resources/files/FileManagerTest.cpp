// The user folder, whole-file user reads and writes (atomic replacement) and
// content reads through the file manager.
#include "TempFolder.h"

#include "engine/host/Tarrow.h"
#include "engine/resources/files/tr_FileManager.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class FileManagerTest : public ::testing::Test {
protected:
    TempFolder temp;
    UserFolderScope scope{temp.Path(), "Brightfold", "Test Game"};
    std::string folder = scope.Folder();
};

TEST_F(FileManagerTest, CreationMakesTheUserFolderAndStartsANewLog) {
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    TempFolder::WriteText(folder + "logfile.txt", "old run\n");
    TempFolder::WriteText(folder + "settings.xml", "<settings/>");
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(tr_FileManager::Get(), files);
    EXPECT_TRUE(TempFolder::IsFolder(folder));
    EXPECT_FALSE(TempFolder::Exists(folder + "logfile.txt"));
    EXPECT_TRUE(files->UserFileExists("settings.xml"));
}

TEST_F(FileManagerTest, FoldersNamedAfterCreationStillWork) {
    tr_FileManager::SetFolderNames("", "");
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    EXPECT_FALSE(files->WriteUserFile("a.txt", "x", 1, false));
    std::vector<char> buffer(4, 'q');
    int size = -1;
    // An unknown user folder is a failure to open, never success with no data.
    EXPECT_EQ(files->ReadUserFile("a.txt", buffer, size), tr_FileManager::READ_CANNOT_OPEN);
    EXPECT_TRUE(buffer.empty());
    tr_FileManager::SetFolderNames("Brightfold", "Late Game");
    EXPECT_TRUE(files->WriteUserFile("a.txt", "x", 1, false));
    EXPECT_EQ(TempFolder::ReadText(temp.Path() + "/Brightfold/Late Game/a.txt"), "x");
}

class NamesOnlyEngine : public Tarrow {
public:
    void Run() override {}
};

TEST_F(FileManagerTest, EngineFolderNamesTakePrecedenceOnceAnEngineExists) {
    NamesOnlyEngine engine;
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    EXPECT_FALSE(files->WriteUserFile("a.txt", "x", 1, false)); // engine names not set yet
    engine.SetCompanyName("Brightfold");
    engine.SetGameName("Engine Game");
    ASSERT_TRUE(files->WriteUserFile("a.txt", "x", 1, false));
    EXPECT_EQ(TempFolder::ReadText(temp.Path() + "/Brightfold/Engine Game/a.txt"), "x");
}

TEST_F(FileManagerTest, ReadUserFileGivesZeroPaddedBufferAndResultCodes) {
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    ASSERT_TRUE(files->WriteUserFile("profile_list.xml", "abc", 3, false));
    std::vector<char> buffer;
    int size = 0;
    ASSERT_EQ(files->ReadUserFile("profile_list.xml", buffer, size), tr_FileManager::READ_OK);
    EXPECT_EQ(size, 3);
    ASSERT_EQ(buffer.size(), 3u + 1024u);
    EXPECT_STREQ(buffer.data(), "abc");
    EXPECT_EQ(std::count(buffer.begin() + 3, buffer.end(), 0), 1024);
    EXPECT_EQ(files->ReadUserFile("absent.xml", buffer, size), tr_FileManager::READ_CANNOT_OPEN);
    ASSERT_TRUE(files->WriteUserFile("empty", "", 0, false));
    EXPECT_EQ(files->ReadUserFile("empty", buffer, size), tr_FileManager::READ_OK);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(buffer.size(), 1024u);
}

TEST_F(FileManagerTest, WholeWritesReplaceAndAppendsAdd) {
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    ASSERT_TRUE(files->WriteUserFile("s.xml", "first version", 13, false));
    ASSERT_TRUE(files->WriteUserFile("s.xml", "second", 6, false));
    EXPECT_EQ(TempFolder::ReadText(folder + "s.xml"), "second");
    EXPECT_FALSE(TempFolder::Exists(folder + "s.xml.tmp"));
    ASSERT_TRUE(files->WriteUserFile("s.xml", "+more", 5, true));
    EXPECT_EQ(TempFolder::ReadText(folder + "s.xml"), "second+more");
    EXPECT_TRUE(files->DeleteUserFile("s.xml"));
    EXPECT_FALSE(files->UserFileExists("s.xml"));
    EXPECT_FALSE(files->DeleteUserFile("s.xml"));
}

TEST_F(FileManagerTest, FailedWholeWriteLeavesTheOldFileIntact) {
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    ASSERT_TRUE(files->WriteUserFile("save.xml", "old", 3, false));

    // A write the file system refuses part-way (file size limit): works as
    // root too, where permission bits would not stop the write.
    const std::string big(4096, 'n');
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = files->WriteUserFile("save.xml", big.data(), 4096, false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(TempFolder::ReadText(folder + "save.xml"), "old");
    EXPECT_FALSE(TempFolder::Exists(folder + "save.xml.tmp"));

    // A folder where the temporary file would go.
    ASSERT_EQ(std::system(("mkdir '" + folder + "save.xml.tmp'").c_str()), 0);
    EXPECT_FALSE(files->WriteUserFile("save.xml", "new", 3, false));
    EXPECT_EQ(TempFolder::ReadText(folder + "save.xml"), "old");
}

// A write killed before its rename leaves "<name>.tmp"; the next start removes
// such files and nothing else. A FIFO left at that name does not block a write.
TEST_F(FileManagerTest, StartRemovesTheTemporariesOfInterruptedWrites) {
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "kept.tmp'").c_str()), 0);
    TempFolder::WriteText(folder + "settings.xml.tmp", "<sett");
    TempFolder::WriteText(folder + "profile_list.xml.tmp", "");
    TempFolder::WriteText(folder + "settings.xml", "<settings/>");
    ASSERT_EQ(mkfifo((folder + "save.xml.tmp").c_str(), 0644), 0);
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    EXPECT_FALSE(TempFolder::Exists(folder + "settings.xml.tmp"));
    EXPECT_FALSE(TempFolder::Exists(folder + "profile_list.xml.tmp"));
    EXPECT_FALSE(TempFolder::Exists(folder + "save.xml.tmp"));
    EXPECT_TRUE(TempFolder::IsFolder(folder + "kept.tmp"));
    EXPECT_EQ(TempFolder::ReadText(folder + "settings.xml"), "<settings/>");

    ASSERT_EQ(mkfifo((folder + "save.xml.tmp").c_str(), 0644), 0);
    EXPECT_TRUE(files->WriteUserFile("save.xml", "new", 3, false));
    EXPECT_EQ(TempFolder::ReadText(folder + "save.xml"), "new");
}

TEST_F(FileManagerTest, ReadFileResolvesContentPaths) {
    ASSERT_EQ(std::system(("mkdir -p '" + temp.Path() + "/Assets/Sub'").c_str()), 0);
    TempFolder::WriteText(temp.Path() + "/Assets/Sub/Data.TXT", "content");
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    std::vector<char> buffer;
    int size = 0;
    const std::string path = temp.Path() + "\\assets\\sub\\data.txt";
    ASSERT_EQ(files->ReadFile(path, buffer, size), tr_FileManager::READ_OK);
    EXPECT_EQ(size, 7);
    EXPECT_STREQ(buffer.data(), "content");
    EXPECT_TRUE(files->FileExists(path));
    EXPECT_FALSE(files->FileExists(temp.Path() + "/assets/none.txt"));
    EXPECT_EQ(files->ReadFile(temp.Path() + "/assets/none.txt", buffer, size),
              tr_FileManager::READ_CANNOT_OPEN);
    EXPECT_EQ(files->ReadFile(temp.Path() + "/assets", buffer, size),
              tr_FileManager::READ_CANNOT_OPEN);
    EXPECT_EQ(files->Concat("assets/a", ".xml"), "assets/a.xml");
}

} // namespace
