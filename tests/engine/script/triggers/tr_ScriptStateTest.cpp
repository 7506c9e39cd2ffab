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

// Guards on the globals table, the way content declares its globals: only
// names set with rawset exist, everything else raises.
const char* const kGuardGlobals = R"(
setmetatable(_G, {
  __newindex = function(t, k) error('assign to undeclared variable ' .. k, 2) end,
  __index = function(t, k) error('variable ' .. k .. ' is not declared', 2) end })
)";

TEST_F(ScriptStateTest, GuardedGlobalsReportErrorsInsteadOfEndingTheProcess) {
    Run("rawset(_G, 'declared', 'yes')");
    Run(kGuardGlobals);
    std::string error;
    lua_pushnumber(script.GetLua(), 1);
    EXPECT_FALSE(script.SetGlobalFromTop("fresh", &error));
    EXPECT_NE(error.find("assign to undeclared variable fresh"), std::string::npos) << error;
    EXPECT_FALSE(script.PushGlobal("fresh", &error));
    EXPECT_TRUE(lua_isnil(script.GetLua(), -1));
    lua_pop(script.GetLua(), 1);
    EXPECT_NE(error.find("variable fresh is not declared"), std::string::npos) << error;

    // The helpers built on them fail quietly.
    script.SetGlobalNumber("other", 3);
    double number = 0;
    EXPECT_FALSE(script.GetGlobalNumber("other", number));
    EXPECT_TRUE(script.IsGlobalNil("other"));

    // Declared names go through the metamethods untouched.
    std::string text;
    ASSERT_TRUE(script.GetGlobalString("declared", text));
    EXPECT_EQ(text, "yes");
    script.SetGlobalString("declared", "changed");
    ASSERT_TRUE(script.GetGlobalString("declared", text));
    EXPECT_EQ(text, "changed");
    EXPECT_EQ(StackHeight(), 0);
}

TEST_F(ScriptStateTest, TriggerCallsUnderGuardedGlobalsAreLoggedAndThenWork) {
    Add("Show", "rawset(_G, 'shown', tr_params.param_0)");
    Run(kGuardGlobals);
    // Neither "tr_params" nor the trigger's function may be created yet.
    EXPECT_TRUE(registry.CallNow("s", "Show(a)"));
    EXPECT_EQ(log.CountStartingWith("Error: trigger Show try to use params - bad params: "), 1);
    EXPECT_EQ(log.CountStartingWith("Error: trigger Show try to compile - lua error: "), 1);
    EXPECT_FALSE(registry.FindTrigger("Show")->IsCompiled());
    EXPECT_EQ(StackHeight(), 0);

    Run("rawset(_G, 'tr_params', false); rawset(_G, 'Show', false); "
        "rawset(_G, 'tr_temp_eq', false)");
    log.lines.clear();
    EXPECT_TRUE(registry.CallNow("s", "Show(~1 + 1)"));
    EXPECT_TRUE(log.lines.empty());
    double number = 0;
    ASSERT_TRUE(script.GetGlobalNumber("shown", number));
    EXPECT_EQ(number, 2);
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
