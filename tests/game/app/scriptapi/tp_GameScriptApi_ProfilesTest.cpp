// The profile functions on a live profile manager in a private user folder.
#include "GameScriptApiFixture.h"

#include "game/app/tp_ProfileManager.h"
#include "tests/game/app/AppTestSupport.h"

#include <memory>

namespace {

class ProfileScriptTest : public GameScriptApiTest {
protected:
    void SetUp() override {
        GameScriptApiTest::SetUp();
        folder = std::make_unique<TempUserFolder>();
        engine->SetCompanyName("Brightfold");
        engine->SetGameName("App Test");
        profiles = std::make_unique<tp_ProfileManager>();
        Run("tp_global = {}");
    }
    void TearDown() override {
        profiles.reset();
        folder.reset();
        GameScriptApiTest::TearDown();
    }

    std::unique_ptr<TempUserFolder> folder;
    std::unique_ptr<tp_ProfileManager> profiles;
};

TEST_F(ProfileScriptTest, FunctionsAnswerFromTheProfileManager) {
    struct Step {
        const char* code;
        const char* result;
    };
    const Step steps[] = {
        {"GetCurrentProfile()", "tp_noprofiles"},
        {"AddProfile('Ann') .. AddProfile('Bob') .. AddProfile('Ann')", "110"},
        {"#GetProfileList() .. GetProfileList()[1] .. GetProfileList()[2]", "2AnnBob"},
        {"GetCurrentProfile()", "tp_noprofiles"},
        {"(function() SetCurrentProfile('Bob') return GetCurrentProfile() end)()", "Bob"},
        {"LoadCurrentProfile()", "0"}, // nothing saved yet
        {"(function() tp_global.room = 'garden' SaveProfiles() tp_global = {} "
         "return LoadCurrentProfile() .. tp_global.room end)()",
         "1garden"},
        {"(function() DeleteProfile('Ann') return GetCurrentProfile() end)()", "Bob"},
        {"(function() DeleteProfile('Bob') return GetCurrentProfile() end)()", "tp_noprofiles"},
        {"#GetProfileList() .. LoadCurrentProfile()", "00"},
    };
    for (const Step& step : steps)
        EXPECT_EQ(Eval(step.code), step.result) << step.code;
}

TEST_F(ProfileScriptTest, WithoutTheManagerTheyAnswerAsWithNoProfiles) {
    profiles.reset();
    EXPECT_EQ(Eval("GetCurrentProfile() .. AddProfile('Ann') .. LoadCurrentProfile()"),
              "tp_noprofiles00");
    EXPECT_EQ(Eval("next(GetProfileList())"), "nil");
}

} // namespace
