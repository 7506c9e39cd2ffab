// Call syntax, argument building, tr_params, queue and stack behaviour and
// the log lines of the trigger registry.
#include "TriggerTestSupport.h"

#include "engine/core/tr_MediatorDataTable.h"

#include <lua.hpp>

#include <vector>

namespace {

using Args = std::vector<std::string>;

// Records every parameter of the call into globals: count, p0.., t0.. (types).
const char* const kRecordParams = R"(
count = 0
while tr_params["param_" .. count] ~= nil do
  _G["p" .. count] = tostring(tr_params["param_" .. count])
  _G["t" .. count] = type(tr_params["param_" .. count])
  count = count + 1
end
sender = tr_params.sender
)";

TEST(TriggerArgumentSplit, CommasAtTopLevelSplitAndPiecesAreTrimmed) {
    // Quotes mean nothing here: the comma inside them splits too.
    EXPECT_EQ(tr_TriggerRegistry::SplitArguments("1, \"a,b\""), (Args{"1", "\"a", "b\""}));
    EXPECT_EQ(tr_TriggerRegistry::SplitArguments("f(1,2), 3"), (Args{"f(1,2)", "3"}));
    EXPECT_EQ(tr_TriggerRegistry::SplitArguments(" \t\na \n,\tb\r"), (Args{"a", "b\r"}));
    EXPECT_EQ(tr_TriggerRegistry::SplitArguments("a,,b"), (Args{"a", "", "b"}));
}

TEST(TriggerArgumentSplit, UnbalancedParenthesesFollowTheDepthCount) {
    // An open parenthesis at the end drops the last piece.
    EXPECT_EQ(tr_TriggerRegistry::SplitArguments("a, f(1, 2"), (Args{"a"}));
    EXPECT_TRUE(tr_TriggerRegistry::SplitArguments("(x").empty());
    // A ")" at depth 0 is ignored rather than going negative.
    EXPECT_EQ(tr_TriggerRegistry::SplitArguments(")x, (y)"), (Args{")x", "(y)"}));
}

class TriggerCallTest : public TriggerFixture {};

TEST_F(TriggerCallTest, ArgumentsArriveAsTrimmedStringsUnderParamKeys) {
    Add("OpenDoor", kRecordParams);
    ASSERT_TRUE(registry.CallNow("door", "OpenDoor(1, \"a,b\")"));
    EXPECT_EQ(Global("count"), "3");
    EXPECT_EQ(Global("p0"), "1");
    EXPECT_EQ(Global("t0"), "string");
    EXPECT_EQ(Global("p1"), "\"a");
    EXPECT_EQ(Global("p2"), "b\"");
    EXPECT_EQ(Global("sender"), "door");

    ASSERT_TRUE(registry.CallNow("mover", "OpenDoor(f(1,2), 3)"));
    EXPECT_EQ(Global("count"), "2");
    EXPECT_EQ(Global("p0"), "f(1,2)");
    EXPECT_EQ(Global("t1"), "string");
    EXPECT_EQ(Global("sender"), "mover");
}

TEST_F(TriggerCallTest, ArgumentTextRunsFromFirstOpenToLastClose) {
    Add("Show", kRecordParams);
    ASSERT_TRUE(registry.CallNow("s", "Show(a) tail) end"));
    EXPECT_EQ(Global("count"), "1");
    EXPECT_EQ(Global("p0"), "a) tail");
    ASSERT_TRUE(registry.CallNow("s", "Show"));
    EXPECT_EQ(Global("count"), "0");
    ASSERT_TRUE(registry.CallNow("s", "Show()"));
    EXPECT_EQ(Global("count"), "0");
}

TEST_F(TriggerCallTest, TildeArgumentsAreEvaluatedOrLoggedAndKeptAsText) {
    Add("Show", kRecordParams);
    ASSERT_TRUE(registry.CallNow("s", "Show(~2+3, ~\"x\" .. 1, 4)"));
    EXPECT_EQ(Global("t0"), "number");
    EXPECT_EQ(Global("p0"), "5");
    EXPECT_EQ(Global("p1"), "x1");
    EXPECT_EQ(Global("t2"), "string");
    EXPECT_TRUE(log.lines.empty());

    ASSERT_TRUE(registry.CallNow("s", "Show(~missing())"));
    EXPECT_EQ(Global("t0"), "string");
    EXPECT_EQ(Global("p0"), "~missing()");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.CountStartingWith("Error: trigger Show try to use params - bad params: "), 1);
    EXPECT_NE(log.lines[0].find("missing"), std::string::npos);

    // A syntax error is reported the same way.
    ASSERT_TRUE(registry.CallNow("s", "Show(~1 +)"));
    EXPECT_EQ(Global("p0"), "~1 +");
    EXPECT_EQ(log.CountStartingWith("Error: trigger Show try to use params - bad params: "), 2);
}

TEST_F(TriggerCallTest, TildeArgumentsSeeThePreviousCallsParams) {
    Add("Show", kRecordParams);
    ASSERT_TRUE(registry.CallNow("first_sender", "Show(first)"));
    ASSERT_TRUE(registry.CallNow("second", "Show(~tr_params.param_0, ~tr_params.sender)"));
    EXPECT_EQ(Global("p0"), "first");
    EXPECT_EQ(Global("p1"), "first_sender");
    EXPECT_EQ(Global("sender"), "second");
}

TEST_F(TriggerCallTest, ParameterTableIsConvertedUnderTableKey) {
    Add("Take", "got = tr_params.table and tr_params.table.count or 'none'");
    auto table = std::make_shared<tr_MediatorDataTable>();
    table->SetInt("count", 7);
    ASSERT_TRUE(registry.CallNow("w", "Take", table));
    EXPECT_EQ(Global("got"), "7");
    ASSERT_TRUE(registry.CallNow("w", "Take"));
    EXPECT_EQ(Global("got"), "none");
    // Queued records share the table until they run.
    ASSERT_TRUE(registry.QueueCall("w", "Take", table));
    table->SetInt("count", 9);
    table.reset();
    registry.RunQueue();
    EXPECT_EQ(Global("got"), "9");
}

TEST_F(TriggerCallTest, NestedCallNowRestoresTheOuterParams) {
    Add("Inner", "inner_param = tr_params.param_0; inner_sender = tr_params.sender");
    size_t depth_inside = 0;
    AddNative("Outer", [&](NativeTrigger&) {
        registry.CallNow("inner_sender", "Inner(in)");
        depth_inside = registry.GetCallDepth();
        script.RunChunk("outer_param = tr_params.param_0; outer_sender = tr_params.sender", "o");
    });
    ASSERT_TRUE(registry.CallNow("outer_sender", "Outer(out)"));
    EXPECT_EQ(Global("inner_param"), "in");
    EXPECT_EQ(Global("inner_sender"), "inner_sender");
    EXPECT_EQ(Global("outer_param"), "out");
    EXPECT_EQ(Global("outer_sender"), "outer_sender");
    EXPECT_EQ(depth_inside, 1u);
    EXPECT_EQ(registry.GetCallDepth(), 0u);
}

// CallNested(code): an immediate call from inside Lua, as content makes one
// with TrgExecute or a message to a widget; returns 42.
tr_TriggerRegistry* nested_registry = nullptr;
int CallNested(lua_State* L) {
    nested_registry->CallNow("nested", lua_tostring(L, 1));
    lua_pushnumber(L, 42);
    return 1;
}

TEST_F(TriggerCallTest, ImmediateCallInsideATildeArgumentRunsOnce) {
    nested_registry = &registry;
    lua_register(script.GetLua(), "CallNested", CallNested);
    int runs = 0;
    AddNative("Count", [&](NativeTrigger&) { ++runs; });
    Add("Show", kRecordParams);
    ASSERT_TRUE(registry.CallNow("s", "Show(~CallNested('Count'), plain)"));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Global("count"), "2");
    EXPECT_EQ(Global("p0"), "42");
    EXPECT_EQ(Global("t0"), "number");
    EXPECT_EQ(Global("sender"), "s");
    EXPECT_TRUE(log.lines.empty());

    // Inside a running trigger the outer params still come back after it.
    runs = 0;
    Add("Outer", "CallNested('Show(~CallNested(\\'Count\\'))'); outer_p0 = tr_params.param_0");
    ASSERT_TRUE(registry.CallNow("o", "Outer(mine)"));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Global("p0"), "42");
    EXPECT_EQ(Global("outer_p0"), "mine");
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(TriggerCallTest, InlineCodeRunsWithSenderAndReportsErrors) {
    ASSERT_TRUE(registry.CallNow("btn", "*inline_sender = tr_params.sender"));
    EXPECT_EQ(Global("inline_sender"), "btn");
    EXPECT_TRUE(log.lines.empty());

    EXPECT_TRUE(registry.CallNow("btn", "*error('boom')"));
    EXPECT_TRUE(registry.CallNow("btn", "*this is not lua"));
    EXPECT_EQ(log.CountStartingWith("Error: object btn try to execute code at event - lua error: "),
              2);
    EXPECT_NE(log.lines[0].find("boom"), std::string::npos);

    // A trigger whose name begins with "*" is called, not run inline.
    Add("*star", "star_ran = 'yes'");
    ASSERT_TRUE(registry.CallNow("btn", "*star"));
    EXPECT_EQ(Global("star_ran"), "yes");
}

TEST_F(TriggerCallTest, FailedPreparationsReturnFalseAndLogOnlyUnknownNames) {
    Add("Known", "known_runs = (known_runs or 0) + 1");
    EXPECT_FALSE(registry.CallNow("obj1", ""));
    EXPECT_FALSE(registry.QueueCall("obj1", ""));
    EXPECT_TRUE(log.lines.empty());

    EXPECT_FALSE(registry.CallNow("obj1", "Nope(1)"));
    EXPECT_FALSE(registry.QueueCall("obj1", "Nope"));
    EXPECT_EQ(log.Count("Error: object obj1 try to call trigger Nope - no such trigger"), 2);

    // "(" without a ")" after it is dropped without a word.
    log.lines.clear();
    EXPECT_FALSE(registry.CallNow("obj1", "Known(1"));
    EXPECT_FALSE(registry.QueueCall("obj1", "Known(1, 2"));
    Add("a)b", "x = 1");
    EXPECT_FALSE(registry.CallNow("obj1", "a)b(1"));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(registry.GetQueueSize(), 0u);
    EXPECT_EQ(Global("known_runs"), "<nil>");
}

TEST_F(TriggerCallTest, TriggerCompileAndRunErrorsAreLoggedAndRetried) {
    Add("Bad", "this is not lua");
    EXPECT_TRUE(registry.CallNow("s", "Bad"));
    EXPECT_TRUE(registry.CallNow("s", "Bad"));
    EXPECT_EQ(log.CountStartingWith("Error: trigger Bad try to compile - lua error: "), 2);
    EXPECT_FALSE(registry.FindTrigger("Bad")->IsCompiled());

    Add("Boom", "error('kaboom')");
    EXPECT_TRUE(registry.CallNow("s", "Boom"));
    EXPECT_EQ(log.CountStartingWith("Error: trigger Boom try to execute - lua error: "), 1);
    EXPECT_NE(log.lines.back().find("kaboom"), std::string::npos);
    // Compiling worked, so the trigger is not compiled again.
    EXPECT_TRUE(registry.FindTrigger("Boom")->IsCompiled());
}

TEST_F(TriggerCallTest, CompiledTriggerIsAGlobalFunctionAndSetCodeRecompiles) {
    Add("Count", "value = 1");
    EXPECT_EQ(TypeOf("Count"), "nil");
    ASSERT_TRUE(registry.CallNow("s", "Count"));
    EXPECT_EQ(Global("value"), "1");
    EXPECT_EQ(TypeOf("Count"), "function");

    // Whatever script assigns to the global is what the trigger runs next.
    Run("Count = function() value = 99 end");
    registry.CallNow("s", "Count");
    EXPECT_EQ(Global("value"), "99");

    tr_Trigger* trigger = registry.FindTrigger("Count");
    trigger->SetCode("value = 2");
    EXPECT_FALSE(trigger->IsCompiled());
    registry.CallNow("s", "Count");
    EXPECT_EQ(Global("value"), "2");
    EXPECT_TRUE(trigger->IsCompiled());
}

TEST_F(TriggerCallTest, FirstAddedTriggerWins) {
    EXPECT_TRUE(registry.AddTrigger(std::make_unique<tr_Trigger>("Twice", "which = 'first'")));
    EXPECT_FALSE(registry.AddTrigger(std::make_unique<tr_Trigger>("Twice", "which = 'second'")));
    EXPECT_EQ(registry.GetTriggerCount(), 1u);
    registry.CallNow("s", "Twice");
    EXPECT_EQ(Global("which"), "first");
    EXPECT_FALSE(registry.AddTrigger(nullptr));
}

class TriggerQueueTest : public TriggerFixture {};

TEST_F(TriggerQueueTest, QueuedCallsRunInOrderAtRunQueueOnly) {
    Add("Append", "trail = (trail or '') .. tr_params.param_0 .. tr_params.sender");
    ASSERT_TRUE(registry.QueueCall("x", "Append(1)"));
    ASSERT_TRUE(registry.QueueCall("y", "Append(2)"));
    ASSERT_TRUE(registry.QueueCall("z", "*trail = trail .. '3' .. tr_params.sender"));
    EXPECT_EQ(Global("trail"), "<nil>");
    EXPECT_EQ(registry.GetQueueSize(), 3u);
    registry.RunQueue();
    EXPECT_EQ(Global("trail"), "1x2y3z");
    EXPECT_EQ(registry.GetQueueSize(), 0u);
    registry.RunQueue();
    EXPECT_EQ(Global("trail"), "1x2y3z");
}

TEST_F(TriggerQueueTest, CallsQueuedWhileTheQueueRunsWaitForTheNextRun) {
    Add("Later", "later_runs = (later_runs or 0) + 1");
    AddNative("Requeue", [&](NativeTrigger&) { registry.QueueCall("r", "Later"); });
    registry.QueueCall("r", "Requeue");
    registry.RunQueue();
    EXPECT_EQ(Global("later_runs"), "<nil>");
    EXPECT_EQ(registry.GetQueueSize(), 1u);
    registry.RunQueue();
    EXPECT_EQ(Global("later_runs"), "1");
}

TEST_F(TriggerQueueTest, ObjectEventsReachTheRegistryThroughTheCallQueueSeam) {
    Add("Clicked", "clicked_by = tr_params.sender");
    EXPECT_EQ(tr_CallQueue::Installed(), &registry);
    EXPECT_TRUE(tr_QueueObjectCall("button", "Clicked"));
    registry.RunQueue();
    EXPECT_EQ(Global("clicked_by"), "button");
    registry.ClearQueue();
    tr_QueueObjectCall("button", "Clicked");
    registry.ClearQueue();
    EXPECT_EQ(registry.GetQueueSize(), 0u);
}

TEST(TriggerRegistryLifetime, UninstallsItselfFromTheCallQueue) {
    tr_ScriptState script;
    {
        tr_TriggerRegistry registry(script);
        EXPECT_EQ(tr_CallQueue::Installed(), &registry);
    }
    EXPECT_EQ(tr_CallQueue::Installed(), nullptr);
    EXPECT_FALSE(tr_QueueObjectCall("x", "Anything"));
}

class TriggerDeletionTest : public TriggerFixture {};

TEST_F(TriggerDeletionTest, QueuedCallOfADeletedTriggerIsReportedNotRun) {
    Add("Gone", "gone_ran = 1");
    ASSERT_TRUE(registry.QueueCall("obj", "Gone(1)"));
    EXPECT_TRUE(registry.DeleteTrigger("Gone"));
    EXPECT_FALSE(registry.DeleteTrigger("Gone"));
    registry.RunQueue();
    EXPECT_EQ(Global("gone_ran"), "<nil>");
    EXPECT_EQ(log.Count("Error: object obj try to call trigger Gone - no such trigger"), 1);
}

TEST_F(TriggerDeletionTest, QueuedCallRunsATriggerAddedAgainUnderTheSameName) {
    Add("Swap", "swap = 'old'");
    registry.QueueCall("obj", "Swap");
    registry.DeleteTrigger("Swap");
    Add("Swap", "swap = 'new'");
    registry.RunQueue();
    EXPECT_EQ(Global("swap"), "new");
}

TEST_F(TriggerDeletionTest, TriggerDeletingItselfWhileRunningStaysValidUntilItReturns) {
    Add("Inner", "inner_params = tr_params.param_0");
    std::string name_after;
    AddNative("Self", [&](NativeTrigger& self) {
        registry.DeleteTrigger("Self");
        // The outer params are rebuilt after this nested call.
        registry.CallNow("s", "Inner(nested)");
        name_after = self.GetName();
        script.RunChunk("outer_after = tr_params.param_0", "o");
    });
    ASSERT_TRUE(registry.CallNow("s", "Self(mine)"));
    EXPECT_EQ(name_after, "Self");
    EXPECT_EQ(Global("outer_after"), "mine");
    EXPECT_EQ(registry.FindTrigger("Self"), nullptr);
    EXPECT_FALSE(registry.CallNow("s", "Self"));
}

} // namespace

TEST_F(TriggerFixture, ATriggerReadAgainFromItsFileReplacesItOnlyWhenAskedTo) {
    struct ReplaceCase {
        bool replace;
        const char* old_file; // "" for code with no file
        const char* new_file;
        bool replaced;
    };
    const ReplaceCase cases[] = {
        {false, "a.xml", "a.xml", false}, {true, "a.xml", "a.xml", true},
        {true, "a.xml", "b.xml", false},  {true, "", "", false},
        {true, "a.xml", "", false},
    };
    for (const ReplaceCase& c : cases) {
        registry.DeleteTrigger("trg_r");
        registry.SetReplaceOwnTriggers(c.replace);
        const auto source = [](const char* file) {
            return *file ? tr_ScriptSource(file, 3) : tr_ScriptSource();
        };
        ASSERT_TRUE(registry.AddTrigger(
            std::make_unique<tr_Trigger>("trg_r", "which = 'old'", source(c.old_file))));
        ASSERT_TRUE(registry.CallNow("s", "trg_r"));
        EXPECT_EQ(registry.AddTrigger(
                      std::make_unique<tr_Trigger>("trg_r", "which = 'new'", source(c.new_file))),
                  c.replaced);
        ASSERT_TRUE(registry.CallNow("s", "trg_r"));
        EXPECT_EQ(Global("which"), c.replaced ? "new" : "old")
            << c.replace << " " << c.old_file << " -> " << c.new_file;
    }
}
