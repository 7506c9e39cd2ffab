// The log: standard output, mediator message 3, the log file listener, bounded
// formatting and a failing log file.
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/files/tr_LogFileListener.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MessageCollector : public tr_Listener {
public:
    void OnMessage(int id, tr_MediatorDataTable& data) override {
        messages.push_back(std::to_string(id) + ":" + data.Get("message")->GetString());
    }
    std::vector<std::string> messages;
};

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarrow_log_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home = pattern;
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        tr_FileManager::Destroy();
        tr_FileManager::SetFolderNames("Brightfold", "Log Game");
        log_path = home + "/Brightfold/Log Game/logfile.txt";
    }
    void TearDown() override {
        tr_FileManager::Destroy();
        tr_FileManager::SetFolderNames("", "");
        unsetenv("XDG_DATA_HOME");
        std::system(("rm -rf '" + home + "'").c_str());
    }

    std::string home;
    std::string log_path;
};

TEST_F(LogTest, LineGoesToStdoutListenersAndLogFile) {
    tr_Mediator mediator;
    tr_LogFileListener file_listener;
    MessageCollector collector;
    mediator.Subscribe(3, &collector);

    testing::internal::CaptureStdout();
    tr_Log("Warning: %s number %d", "texture", 7);
    tr_Log("second");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning: texture number 7\nsecond\n");
    EXPECT_EQ(collector.messages,
              (std::vector<std::string>{"3:Warning: texture number 7", "3:second"}));
    EXPECT_EQ(ReadWhole(log_path), "Warning: texture number 7\nsecond\n");
}

TEST_F(LogTest, PreviousRunsLogIsDeletedWhenTheFileManagerStarts) {
    ASSERT_EQ(std::system(("mkdir -p '" + home + "/Brightfold/Log Game'").c_str()), 0);
    std::ofstream(log_path) << "from last run\n";
    tr_Mediator mediator;
    tr_LogFileListener file_listener;
    testing::internal::CaptureStdout();
    tr_Log("fresh");
    // A file manager made again late in the same run keeps this run's log.
    tr_FileManager::Destroy();
    tr_Log("shutting down");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(ReadWhole(log_path), "fresh\nshutting down\n");
}

TEST_F(LogTest, WorksWithoutAMediatorAndIgnoresOtherMessages) {
    testing::internal::CaptureStdout();
    tr_Log("early %d", 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "early 1\n");

    tr_Mediator mediator;
    tr_LogFileListener file_listener;
    tr_MediatorDataTable data;
    data.SetString("message", "not a log line");
    mediator.Send(4, data);
    EXPECT_FALSE(std::ifstream(log_path).good());
}

TEST_F(LogTest, OverlongLineIsTruncatedNotOverflowed) {
    tr_Mediator mediator;
    MessageCollector collector;
    mediator.Subscribe(3, &collector);
    const std::string huge(40000, 'x');
    testing::internal::CaptureStdout();
    tr_Log("Error: %s", huge.c_str());
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.size(), 16383u + 1u);
    EXPECT_EQ(output.substr(0, 9), "Error: xx");
    EXPECT_EQ(output.back(), '\n');
    ASSERT_EQ(collector.messages.size(), 1u);
    EXPECT_EQ(collector.messages[0].size(), 2u + 16383u);

    // A cut through a two-byte character drops the partial character.
    const std::string text = std::string(16382, 'a') + "\xC3\xA9";
    testing::internal::CaptureStdout();
    tr_Log("%s", text.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(16382, 'a') + "\n");
}

// A log file that is not a regular file is refused by the file reader, whose
// own line must not come back to the listener and recurse.
TEST_F(LogTest, ALogFileThatIsAFifoIsReportedWithoutRecursion) {
    tr_FileManager::GetOrCreate();
    ASSERT_EQ(mkfifo(log_path.c_str(), 0644), 0);
    tr_Mediator mediator;
    tr_LogFileListener file_listener;
    testing::internal::CaptureStdout();
    tr_Log("a line");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error: \"" + log_path +
                  "\" is not a regular file, not opened.\n"
                  "Error while saving data to file logfile.txt.\na line\n");
}

TEST_F(LogTest, FailedAppendIsReportedOnceWithoutRecursion) {
    tr_FileManager::SetFolderNames("", ""); // no user folder: every append fails
    tr_Mediator mediator;
    tr_LogFileListener file_listener;
    MessageCollector collector;
    mediator.Subscribe(3, &collector);
    testing::internal::CaptureStdout();
    tr_Log("a line");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error while saving data to file logfile.txt.\na line\n");
    EXPECT_EQ(collector.messages.size(), 2u);

    // The listener recovers once the folder is known.
    tr_FileManager::SetFolderNames("Brightfold", "Log Game");
    testing::internal::CaptureStdout();
    tr_Log("later");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "later\n");
    EXPECT_EQ(ReadWhole(log_path), "later\n");
}

} // namespace
