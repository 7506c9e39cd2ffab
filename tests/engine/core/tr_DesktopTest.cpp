// The desktop seam: where the documents folder is looked for, and the
// window-less twin recording the addresses it was asked to open.
#include "engine/core/tr_Desktop.h"
#include "engine/platform/headless/tr_Desktop_Headless.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Sets (or, for null, unsets) an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            had_ = true;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

} // namespace

TEST(DesktopTest, DocumentsFolderComesFromTheEnvironment) {
    ScopedEnv home("HOME", "/home/ann/");
    {
        ScopedEnv documents("XDG_DOCUMENTS_DIR", "/data/Papers//");
        EXPECT_EQ(tr_Desktop::UsualDocumentsFolder(), "/data/Papers");
    }
    ScopedEnv documents("XDG_DOCUMENTS_DIR", "");
    EXPECT_EQ(tr_Desktop::UsualDocumentsFolder(), "/home/ann/Documents");
    ScopedEnv no_home("HOME", nullptr);
    EXPECT_EQ(tr_Desktop::UsualDocumentsFolder(), "");
}

TEST(DesktopTest, HeadlessTwinRecordsAddressesAndIsReplacedOnInstall) {
    auto* first = new tr_Desktop_Headless("/tmp/docs");
    tr_Desktop::Install(first);
    EXPECT_EQ(tr_Desktop::Get(), first);
    EXPECT_EQ(tr_Desktop::Get()->GetDocumentsFolder(), "/tmp/docs");
    EXPECT_TRUE(tr_Desktop::Get()->OpenUrl("https://example.org"));
    EXPECT_FALSE(tr_Desktop::Get()->OpenUrl(""));
    ASSERT_EQ(first->GetOpenedUrls().size(), 1u);
    EXPECT_EQ(first->GetOpenedUrls()[0], "https://example.org");

    auto* second = new tr_Desktop_Headless();
    tr_Desktop::Install(second); // the first is deleted (ASan would notice a leak)
    EXPECT_EQ(tr_Desktop::Get(), second);
    EXPECT_EQ(second->GetDocumentsFolder(), tr_Desktop::UsualDocumentsFolder());
    tr_Desktop::Destroy();
    EXPECT_EQ(tr_Desktop::Get(), nullptr);
}
