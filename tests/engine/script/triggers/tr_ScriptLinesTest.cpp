// Lua positions read from messages in the forms Lua writes, and real
// compile errors of triggers placed at their file line. Also the trigger's compile on its own and
// the list of globals a checker compares calls with.
#include "engine/script/tr_ScriptLines.h"
#include "TriggerTestSupport.h"

#include <algorithm>

namespace {

struct MessageCase {
    const char* message;
    int chunk_line;
    const char* text;
};

TEST(ScriptLinesTest, ReadsThePositionLuaWrites) {
    const MessageCase cases[] = {
        {"[string \"trg_a\"]:3: unexpected symbol near '='", 3, "unexpected symbol near '='"},
        {"[string \"assets/levels/x.xml\"]:12: '=' expected", 12, "'=' expected"},
        // Lua shortens long chunk names and cuts them at a line break.
        {"[string \"_G[\"x\"]=1...\"]:1: bad", 1, "bad"},
        {"[string \"trg_b\"]:0: odd", 0, "odd"},
        // Code named after its file ("@file").
        {"assets/levels/x.xml:41: '=' expected near 'b'", 41, "'=' expected near 'b'"},
        {"...long/path/x.xml:7: bad", 7, "bad"},
        {"x.xml:7x: bad", 0, "x.xml:7x: bad"},
        {"error: at x.xml:3: later", 0, "error: at x.xml:3: later"},
        // No position: the whole message is the text.
        {"attempt to call a nil value", 0, "attempt to call a nil value"},
        {"[string \"trg_c\"]: no line", 0, "[string \"trg_c\"]: no line"},
        {"[string \"trg_d\"]:9x: not a line", 0, "[string \"trg_d\"]:9x: not a line"},
        {"[string \"trg_e\"]:99999999999999: huge", 0, "[string \"trg_e\"]:99999999999999: huge"},
        {"", 0, ""},
    };
    for (const MessageCase& c : cases) {
        EXPECT_EQ(tr_ScriptLines::ChunkLine(c.message), c.chunk_line) << c.message;
        EXPECT_EQ(tr_ScriptLines::Text(c.message), c.text) << c.message;
    }
}

class TriggerCompileTest : public TriggerFixture {};

TEST_F(TriggerCompileTest, ASyntaxErrorIsPlacedOnItsFileLine) {
    // The trigger's code starts on line 30 of its module; the error is on
    // its third line.
    tr_Trigger trigger("trg_broken", "local a = 1\nlocal b = 2\nlocal c = = 3\n",
                       tr_ScriptSource("house.xml", 30));
    trigger.BindScript(&script);
    std::string error;
    EXPECT_FALSE(trigger.Compile(&error));
    EXPECT_FALSE(trigger.IsCompiled());
    EXPECT_EQ(error.rfind("house.xml:32: ", 0), 0u) << error;
    EXPECT_EQ(tr_ScriptLines::ChunkLine(error), 32) << error;
    EXPECT_TRUE(script.IsGlobalNil("trg_broken"));
}

TEST_F(TriggerCompileTest, CompilingDefinesTheGlobalWithoutRunningIt) {
    tr_Trigger trigger("trg_fine", "ran = 1");
    EXPECT_FALSE(trigger.Compile());
    trigger.BindScript(&script);
    EXPECT_TRUE(trigger.Compile());
    EXPECT_TRUE(trigger.IsCompiled());
    EXPECT_EQ(TypeOf("trg_fine"), "function");
    EXPECT_TRUE(script.IsGlobalNil("ran"));
    trigger.Execute();
    EXPECT_EQ(Global("ran"), "1");
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(TriggerCompileTest, GlobalNamesListWhatCodeCanCall) {
    script.SetGlobalString("a_text", "x");
    Run("function content_function() end");
    const std::vector<std::string> all = script.GlobalNames(false);
    const std::vector<std::string> native = script.GlobalNames(true);
    auto has = [](const std::vector<std::string>& names, const char* name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    for (const char* name : {"a_text", "content_function", "print", "string"})
        EXPECT_TRUE(has(all, name)) << name;
    EXPECT_TRUE(has(native, "print"));
    for (const char* name : {"a_text", "content_function", "string"})
        EXPECT_FALSE(has(native, name)) << name;
}

} // namespace
