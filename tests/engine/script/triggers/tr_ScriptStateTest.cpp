// The Lua state: standard libraries, chunk errors returned to the caller, and
// a balanced stack after every kind of failing call.
#include "TriggerTestSupport.h"

#include <lua.hpp>

namespace {

class ScriptStateTest : public TriggerFixture {
protected:
    int StackHeight() { return lua_gettop(script.GetLua()); }
};

TEST_F(ScriptStateTest, EveryStandardLibraryIsOpen) {
    for (const char* library : {"string", "table", "math", "io", "os", "debug", "package"})
        EXPECT_EQ(TypeOf(library), "table") << library;
    EXPECT_EQ(TypeOf("print"), "function");
}

TEST_F(ScriptStateTest, ChunkErrorsComeBackWithTheChunkName) {
    std::string error;
    EXPECT_FALSE(script.RunChunk("local x = ", "broken_chunk", &error));
    EXPECT_NE(error.find("broken_chunk"), std::string::npos) << error;
    EXPECT_FALSE(script.RunChunk("error('raised here')", "raising", &error));
    EXPECT_NE(error.find("raised here"), std::string::npos) << error;
    EXPECT_TRUE(script.CompileChunk("return 1", "fine"));
    EXPECT_FALSE(script.CompileChunk("return +", "bad", &error));
    EXPECT_FALSE(script.RunChunk("error({})", "table_error", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(StackHeight(), 0);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(ScriptStateTest, GlobalsRoundTrip) {
    script.SetGlobalString("s", std::string("a\0b", 3));
    script.SetGlobalNumber("n", 2.5);
    std::string text;
    double number = 0;
    ASSERT_TRUE(script.GetGlobalString("s", text));
    EXPECT_EQ(text, std::string("a\0b", 3));
    ASSERT_TRUE(script.GetGlobalNumber("n", number));
    EXPECT_DOUBLE_EQ(number, 2.5);
    EXPECT_FALSE(script.GetGlobalNumber("s", number));
    script.SetGlobalNil("n");
    EXPECT_TRUE(script.IsGlobalNil("n"));
    EXPECT_FALSE(script.GetGlobalString("n", text));
    EXPECT_EQ(StackHeight(), 0);
}

TEST_F(ScriptStateTest, FailingCallsLeaveTheStackAsTheyFoundIt) {
    Add("CompileError", "this is not lua");
    Add("RunError", "error('x')");
    Add("Fine", "return 1, 2, 3");
    Add("Show", "shown = tr_params.param_0");
    registry.CallNow("s", "CompileError");
    registry.CallNow("s", "RunError");
    registry.CallNow("s", "Fine");
    registry.CallNow("s", "Show(~nope(), ~1 +)");
    registry.CallNow("s", "*error('inline')");
    registry.CallNow("s", "*return 4, 5");
    registry.QueueCall("s", "Fine(~{}, x)");
    registry.RunQueue();
    EXPECT_EQ(log.lines.size(), 5u);
    EXPECT_EQ(StackHeight(), 0);
}

} // namespace
