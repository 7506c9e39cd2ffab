// A runaway script costs a log line, not the game: endless loops in triggers
// and module code are stopped after the time limit, a state that grows past
// its memory limit gets "not enough memory", and content can move both limits.
#include "TriggerTestSupport.h"

#include <lua.hpp>

namespace {

// CallInner(): runs the trigger Inner through the registry, the way a script
// function that starts a trigger does.
int CallInner(lua_State* L) {
    static_cast<tr_TriggerRegistry*>(lua_touserdata(L, lua_upvalueindex(1)))
        ->CallNow("spin", "Inner()");
    return 0;
}

class ScriptGuardTest : public TriggerFixture {
protected:
    void SetUp() override {
        script.GetGuard().SetTimeLimit(0.05);
        lua_pushlightuserdata(script.GetLua(), &registry);
        lua_pushcclosure(script.GetLua(), CallInner, 1);
        lua_setglobal(script.GetLua(), "CallInner");
    }
    int LinesWith(const std::string& piece, const std::string& also = "") const {
        int count = 0;
        for (const std::string& line : log.lines)
            count += line.find(piece) != std::string::npos && line.find(also) != std::string::npos
                         ? 1
                         : 0;
        return count;
    }
};

TEST_F(ScriptGuardTest, EndlessCodeIsStoppedWithItsNameInTheLog) {
    struct Case {
        const char* code;
        const char* what;
    };
    // A plain loop, a loop that swallows errors with pcall, one in a
    // coroutine and one that keeps calling a nested trigger.
    const Case cases[] = {
        {"while true do end", "plain"},
        {"while true do pcall(function() while true do end end) end", "pcall"},
        {"local c = coroutine.wrap(function() while true do end end) c()", "coroutine"},
        {"while true do CallInner() end", "nested"},
    };
    Add("Inner", "local n = 0 for i = 1, 100 do n = n + i end");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.lines.clear();
        Add("Spin", c.code);
        registry.CallNow("door", "Spin()");
        EXPECT_EQ(LinesWith("Error: trigger Spin try to execute - lua error:"), 1);
        EXPECT_EQ(LinesWith("Error: trigger Spin", "ran for more than 0.05 seconds"), 1);
    }
    // Module code and the state afterwards: usable again, with a fresh clock.
    std::string error;
    EXPECT_FALSE(script.RunChunk("while true do end", "spin_module.xml", &error));
    EXPECT_NE(error.find("ran for more than"), std::string::npos) << error;
    EXPECT_TRUE(script.RunChunk("done = 1", "after"));
    EXPECT_EQ(Global("done"), "1");
    EXPECT_EQ(lua_gettop(script.GetLua()), 0);
}

TEST_F(ScriptGuardTest, MemoryPastTheLimitIsRefusedInsideTheRun) {
    script.GetGuard().SetTimeLimit(0); // a loaded machine must not stop it first
    script.GetGuard().SetMemoryLimit(script.GetGuard().GetMemoryUsed() + 8 * 1024 * 1024);
    Add("Grow", "local s = 'x' while true do s = s .. s end");
    registry.CallNow("door", "Grow()");
    EXPECT_EQ(LinesWith("Error: trigger Grow try to execute - lua error: not enough memory"), 1);
    EXPECT_LE(script.GetGuard().GetMemoryUsed(), script.GetGuard().GetMemoryLimit());
    Run("collectgarbage() small = string.rep('y', 1000)");
    EXPECT_EQ(Global("small").size(), 1000u);
}

TEST_F(ScriptGuardTest, ContentRaisesOrLiftsTheLimits) {
    Run("SetScriptLimits(30, 512)");
    EXPECT_DOUBLE_EQ(script.GetGuard().GetTimeLimit(), 30.0);
    EXPECT_EQ(script.GetGuard().GetMemoryLimit(), size_t(512) * 1024 * 1024);
    Run("SetScriptLimits(nil, 0) SetScriptLimits(-1, 'many')");
    EXPECT_DOUBLE_EQ(script.GetGuard().GetTimeLimit(), 30.0);
    EXPECT_EQ(script.GetGuard().GetMemoryLimit(), 0u);
    // Code that runs longer than the old limit on purpose finishes.
    Add("Busy", "local t = os.clock() while os.clock() - t < 0.2 do end finished = 1");
    registry.CallNow("door", "Busy()");
    EXPECT_EQ(Global("finished"), "1");
    EXPECT_EQ(LinesWith("Error:"), 0);
}

} // namespace
