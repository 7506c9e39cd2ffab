// The mistakes a content author makes that only show while the game runs:
// each one, made in a copy of the starter game, must reach the development
// mode's error panel, with the file and line where the mistake has one.
#include "../application/ApplicationTestSupport.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/objects/tr_DevOverlay.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/resources/text/tr_StringTable.h"
#include "game/app/tp_Application.h"
#include "game/app/tp_DevMode.h"
#include "game/app/tp_GameStartup.h"
#include "game/level/tp_Level.h"
#include "game/level/tp_Room.h"

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kLevel = "assets/levels/start/start.xml";

struct Mistake {
    const char* label;
    const char* file; // under the game folder
    const char* find; // text of the starter game the mistake replaces
    const char* mistake;
    // What a panel line must hold. When marked is not empty, the line must
    // also name file:LINE, LINE being the line of marked after the edit.
    const char* shown;
    const char* marked;
};

const Mistake kMistakes[] = {
    {"Lua syntax error", kLevel, "print(\"game: room \" .. tr_params.param_0 .. \" open\")",
     "print(\"game: room \" .. .. \" open\")",
     "Error: trigger trg_room_open try to compile - lua error: ", ".. .. \" open\""},
    {"Lua runtime error", kLevel, "print(\"game: room \" .. tr_params.param_0 .. \" open\")",
     "local nothing = nil\nprint(nothing.name)",
     "Error: trigger trg_room_open try to execute - lua error: ", "print(nothing.name)"},
    {"error in module code", kLevel, "AMBIENT_ROOMS = {}", "AMBIENT_ROOMS = {} + 1",
     "Warning: module assets/levels/start/start.xml code failed: ", "AMBIENT_ROOMS = {} + 1"},
    {"missing image", kLevel, "res=\"assets/levels/start/lamp\"",
     "res=\"assets/levels/start/lamp_old\"", "assets/levels/start/lamp_old", ""},
    {"missing module", kLevel, "print(\"game: started\")",
     "print(\"game: started\") ModLoad(\"assets/levels/start/extra\")",
     "Warning: module file assets/levels/start/extra.xml not found", ""},
    {"unclosed tag", "assets/shared/interface/int_loading.xml", "</obj>\n    </obj>", "</obj>",
     "Error while parsing xml file: assets/shared/interface/int_loading.xml", ""},
    {"unknown room in SwitchRoom", kLevel, "SwitchRoom(\"hall\")", "SwitchRoom(\"hal\")",
     "Warning: SwitchRoom: level assets/levels/start/start has no room hal", ""},
    {"bad string id", kLevel, "text=\"room_hall\"", "text=\"room_hal\"",
     "Warning: string table has no string \"room_hal\"", ""},
};

// A copy of the starter game in the scratch folder.
void CopyStarterGame() {
    std::filesystem::remove_all("assets");
    std::filesystem::copy(std::string(TARROW_SOURCE_DIR) + "/templates/starter/assets", "assets",
                          std::filesystem::copy_options::recursive);
}

void Replace(const ScratchFolder& folder, const std::string& file, const std::string& find,
             const std::string& replacement) {
    std::string contents = folder.Read(file);
    const size_t at = contents.find(find);
    ASSERT_NE(at, std::string::npos) << "the starter game changed: " << find;
    contents.replace(at, find.size(), replacement);
    folder.Write(file, contents);
}

std::unique_ptr<Tarrow> MakeEngine() {
    auto engine = std::make_unique<Tarrow_Headless>();
    engine->SetServices(
        tr_MakeEngineServices([] { return std::make_unique<tr_Cursor_Headless>(); }));
    engine->SetFrameLimit(60);
    return engine;
}

// 1-based line of text in contents (0 when absent).
int LineOf(const std::string& contents, const std::string& text) {
    const size_t at = contents.find(text);
    if (at == std::string::npos)
        return 0;
    return 1 + static_cast<int>(std::count(contents.begin(), contents.begin() + at, '\n'));
}

// The panel's lines after a short headless run of the game in the working
// folder, in development mode.
std::vector<std::string> RunAndReadPanel() {
    tp_DevOptions options;
    options.enabled = true;
    tp_DevMode dev(options);
    tp_GameStartup game;
    game.PreInitialise();
    game.Initialise(MakeEngine);
    game.Run();
    std::vector<std::string> lines;
    if (tr_DevOverlay* overlay = dev.GetOverlay()) {
        lines = overlay->GetLines();
        EXPECT_EQ(overlay->IsVisible(), !lines.empty());
    } else {
        ADD_FAILURE() << "no panel";
    }
    game.Shutdown();
    return lines;
}

TEST(DevModeMistakes, EachShowsOnThePanelWithItsFileAndLine) {
    for (const Mistake& m : kMistakes) {
        SCOPED_TRACE(m.label);
        ScratchFolder folder;
        ScratchFolder::UseDesktop(1920, 1080);
        CopyStarterGame();
        Replace(folder, m.file, m.find, m.mistake);
        const std::string contents = folder.Read(m.file);

        const std::vector<std::string> lines = RunAndReadPanel();
        std::string expected_place;
        if (*m.marked) {
            const int line = LineOf(contents, m.marked);
            ASSERT_GT(line, 0);
            expected_place = std::string(m.file) + ":" + std::to_string(line) + ":";
        }
        bool shown = false;
        for (const std::string& line : lines) {
            if (line.find(m.shown) != std::string::npos &&
                line.find(expected_place) != std::string::npos)
                shown = true;
        }
        std::string all;
        for (const std::string& line : lines)
            all += "\n  " + line;
        EXPECT_TRUE(shown) << "wanted '" << m.shown << "' at '" << expected_place
                           << "'; the panel shows:" << all;
    }
}

TEST(DevModeMistakes, TheStarterGameItselfShowsNothing) {
    ScratchFolder folder;
    ScratchFolder::UseDesktop(1920, 1080);
    CopyStarterGame();
    EXPECT_EQ(RunAndReadPanel(), std::vector<std::string>());
}

TEST(DevModeReload, TakesEditedFilesIntoTheRoomOnShowAndRefusesABrokenModule) {
    ScratchFolder folder;
    ScratchFolder::UseDesktop(1920, 1080);
    CopyStarterGame();
    tp_DevOptions options;
    options.enabled = true;
    tp_DevMode dev(options);
    tp_GameStartup game;
    game.PreInitialise();
    game.Initialise(MakeEngine);
    game.Run();
    tp_Level* level = tp_Application::Get()->GetLevel();
    ASSERT_NE(level->GetCurrentRoom(), nullptr);
    EXPECT_EQ(level->GetCurrentRoom()->GetName(), "hall");

    // Edited while the game runs: a trigger, a string, the room's picture.
    Replace(folder, kLevel, "print(\"game: room \" .. tr_params.param_0 .. \" open\")",
            "reopened = tr_params.param_0");
    Replace(folder, "assets/strings.xml", "The Hall", "The Great Hall");
    EXPECT_TRUE(dev.Reload());
    game.GetEngine()->SetFrameLimit(120);
    game.Run();
    level = tp_Application::Get()->GetLevel();
    ASSERT_NE(level->GetCurrentRoom(), nullptr);
    EXPECT_EQ(level->GetCurrentRoom()->GetName(), "hall");
    std::string reopened;
    EXPECT_TRUE(tr_EngineCore::Get()->GetScript().GetGlobalString("reopened", reopened));
    EXPECT_EQ(reopened, "hall");
    EXPECT_EQ(tr_StringTable::Get()->StringGet("room_hall"), "The Great Hall");

    // A module that no longer parses leaves the level alone and says why.
    Replace(folder, kLevel, "</room>", "");
    EXPECT_FALSE(dev.Reload());
    EXPECT_EQ(tp_Application::Get()->GetLevel(), level);
    game.GetEngine()->SetFrameLimit(125);
    game.Run();
    const std::vector<std::string> lines = dev.GetOverlay()->GetLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("Error while parsing xml file: " + std::string(kLevel)),
              std::string::npos)
        << lines.back();
    game.Shutdown();
}

} // namespace
