// Cursor, string table and engine facts as the script functions give them.
#include "ScriptApiFixture.h"

#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/resources/text/tr_StringTable.h"

namespace {

const char* const kWorkbook =
    "<?xml version=\"1.0\"?>\n"
    "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\""
    " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
    " <Worksheet ss:Name=\"s\"><Table>\n"
    "  <Row><Cell><Data ss:Type=\"String\">greet</Data></Cell>"
    "<Cell><Data ss:Type=\"String\">Hello %1%, you found %2% of %3%</Data></Cell></Row>\n"
    "  <Row><Cell><Data ss:Type=\"String\">plain</Data></Cell>"
    "<Cell><Data ss:Type=\"String\">Just text</Data></Cell></Row>\n"
    " </Table></Worksheet>\n"
    "</Workbook>\n";

} // namespace

TEST_F(ScriptApiTest, SetCursorSelectsShapesAndWarnsAboutNil) {
    tr_Cursor_Headless cursor;
    for (int i = 0; i < 4; ++i) {
        cursor.AddShape("", 0, 0, tr_Cursor::SYSTEM_CURSOR_ARROW);
    }
    Run("SetCursor(2)");
    EXPECT_EQ(cursor.GetCurrent(), 2);
    Run("SetCursor('3')");
    EXPECT_EQ(cursor.GetCurrent(), 3);
    Run("SetCursor(9); SetCursor({}); SetCursor()");
    EXPECT_EQ(cursor.GetCurrent(), 3);
    EXPECT_TRUE(log.lines.empty());
    Run("SetCursor(nil)");
    EXPECT_EQ(cursor.GetCurrent(), 3);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Warning: SetCursor try set cursor to nil!\n"});
}

TEST_F(ScriptApiTest, CursorPositionIsReadAsWholeNumbers) {
    EXPECT_EQ(Eval("CursorPosX()"), "0"); // no cursor yet
    tr_Cursor_Headless cursor;
    cursor.SetPosition(123, -45);
    EXPECT_EQ(Eval("CursorPosX()"), "123");
    EXPECT_EQ(Eval("CursorPosY()"), "-45");
}

TEST_F(ScriptApiTest, StringGetFillsInSubstitutions) {
    tr_StringTable::GetOrCreate()->AddWorkbook(kWorkbook);
    EXPECT_EQ(Eval("StringGet('greet', 'Ann', 3, '7')"), "Hello Ann, you found 3 of 7");
    EXPECT_EQ(Eval("StringGet('plain')"), "Just text");
    // Missing substitutions are empty strings.
    EXPECT_EQ(Eval("StringGet('greet', 'Bo')"), "Hello Bo, you found  of ");
    // An unknown id comes back as itself so the fault shows.
    EXPECT_EQ(Eval("StringGet('nope')"), "nope");
    EXPECT_EQ(Eval("type(StringGet())"), "string");
    tr_StringTable::Destroy();
}

TEST_F(ScriptApiTest, PrintWritesOneLogLinePerCall) {
    struct PrintCase {
        const char* code;
        const char* line;
    };
    const PrintCase cases[] = {
        {"print('room ready')", "room ready"},
        {"print(1, 'a', nil, true)", "1\ta\tnil\ttrue"},
        {"print()", ""},
        {"print('%d %s')", "%d %s"},
        {"print(setmetatable({}, {__tostring = function() return 'custom' end}))", "custom"},
    };
    for (const PrintCase& c : cases) {
        log.lines.clear();
        Run(c.code);
        EXPECT_EQ(log.lines, std::vector<std::string>{c.line}) << c.code;
    }
    // A tostring that gives no string is the script's error, not a crash.
    std::string error;
    EXPECT_FALSE(tr_EngineCore::Get()->GetScript().RunChunk(
        "tostring = function() return nil end print(1)", "bad", &error));
    EXPECT_NE(error.find("tostring"), std::string::npos) << error;
}
