#include "engine/host/tr_InputScript.h"

#include <gtest/gtest.h>

namespace {

TEST(InputScriptTest, ParsesEveryEventKind) {
    tr_InputScript script;
    ASSERT_TRUE(script.Parse("# a comment line\n"
                             "1 move 10 20.5\n"
                             "\n"
                             "2 down 3 4   # trailing comment\n"
                             "2 up 5 6\n"
                             "3 key 65\n"
                             "3 keyup 0x1B\n"
                             "4 char 233\n"
                             "5 leave\n"
                             "5 unfocus\n"
                             "5 focus\n"
                             "6 quit\n",
                             "in.txt"))
        << script.GetError();
    const auto& events = script.GetEvents();
    ASSERT_EQ(events.size(), 10u);

    EXPECT_EQ(events[0].frame, 1u);
    EXPECT_EQ(events[0].event.type, TR_EVENT_MOUSE_MOVE);
    EXPECT_EQ(events[0].event.key, TR_MOUSE_KEY);
    EXPECT_FLOAT_EQ(events[0].event.x, 10.0f);
    EXPECT_FLOAT_EQ(events[0].event.y, 20.5f);
    EXPECT_EQ(events[1].event.type, TR_EVENT_MOUSE_DOWN);
    EXPECT_EQ(events[2].event.type, TR_EVENT_MOUSE_UP);
    EXPECT_FLOAT_EQ(events[2].event.x, 5.0f);
    EXPECT_EQ(events[3].event.type, TR_EVENT_KEY_DOWN);
    EXPECT_EQ(events[3].event.key, 65);
    EXPECT_EQ(events[3].event.x, 0.0f);
    EXPECT_EQ(events[4].event.type, TR_EVENT_KEY_UP);
    EXPECT_EQ(events[4].event.key, 27);
    EXPECT_EQ(events[5].event.type, TR_EVENT_CHAR);
    EXPECT_EQ(events[5].event.character, 233);
    EXPECT_EQ(events[5].event.key, 0);
    EXPECT_EQ(events[6].event.type, TR_EVENT_MOUSE_LEAVE);
    EXPECT_FALSE(events[6].quit);
    EXPECT_EQ(events[6].focus, tr_ScriptedFocus::kNone);
    EXPECT_EQ(events[7].focus, tr_ScriptedFocus::kLost);
    EXPECT_EQ(events[8].focus, tr_ScriptedFocus::kGained);
    EXPECT_FALSE(events[8].quit);
    EXPECT_TRUE(events[9].quit);
    EXPECT_EQ(events[9].focus, tr_ScriptedFocus::kNone);
    EXPECT_EQ(events[9].frame, 6u);
}

TEST(InputScriptTest, ClickAndNonBmpCharactersExpandToTwoEvents) {
    tr_InputScript script;
    ASSERT_TRUE(script.Parse("7 click 100 200\n8 char 0x1F600\n", "in"));
    const auto& events = script.GetEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].event.type, TR_EVENT_MOUSE_DOWN);
    EXPECT_EQ(events[1].event.type, TR_EVENT_MOUSE_UP);
    EXPECT_FLOAT_EQ(events[1].event.y, 200.0f);
    EXPECT_EQ(events[1].frame, 7u);
    EXPECT_EQ(events[2].event.character, 0xD83D);
    EXPECT_EQ(events[3].event.character, 0xDE00);
    EXPECT_EQ(events[3].frame, 8u);
}

TEST(InputScriptTest, OrdersByFrameAndKeepsLineOrderWithinAFrame) {
    tr_InputScript script;
    ASSERT_TRUE(script.Parse("5 key 66\r\n2 key 65\r\n5 key 67\r\n", "in"));
    const auto& events = script.GetEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].event.key, 65);
    EXPECT_EQ(events[1].event.key, 66);
    EXPECT_EQ(events[2].event.key, 67);
}

struct BadLine {
    const char* text;
    const char* says; // part of the message
};

TEST(InputScriptTest, MalformedLinesNameTheLineAndTheProblem) {
    const BadLine cases[] = {
        {"3 jump 1 2", "unknown event \"jump\""},
        {"x move 1 2", "frame \"x\""},
        {"-1 move 1 2", "frame \"-1\""},
        {"3", "event name is missing"},
        {"3 move 1", "takes 2 arguments, got 1"},
        {"3 move 1 2 3", "takes 2 arguments, got 3"},
        {"3 move 1 abc", "needs two numbers"},
        {"3 move nan 1", "needs two numbers"},
        {"3 key 300", "virtual-key code"},
        {"3 key A", "virtual-key code"},
        {"3 char 0xD800", "character code"},
        {"3 char 0x110000", "character code"},
        {"3 leave now", "takes 0 arguments, got 1"},
        {"3 unfocus 1", "takes 0 arguments, got 1"},
        {"3 MOVE 1 2", "unknown event"},
    };
    for (const BadLine& bad : cases) {
        tr_InputScript script;
        const std::string text = std::string("1 move 0 0\n# fine so far\n") + bad.text + "\n";
        EXPECT_FALSE(script.Parse(text, "script.txt")) << bad.text;
        EXPECT_NE(script.GetError().find("script.txt:3:"), std::string::npos) << script.GetError();
        EXPECT_NE(script.GetError().find(bad.says), std::string::npos) << script.GetError();
        EXPECT_NE(script.GetError().find(bad.text), std::string::npos) << script.GetError();
        EXPECT_TRUE(script.GetEvents().empty());
    }
}

TEST(InputScriptTest, EmptyAndCommentOnlyScriptsHaveNoEvents) {
    tr_InputScript script;
    EXPECT_TRUE(script.Parse("", "in"));
    EXPECT_TRUE(script.Parse("# nothing\n   \n\t# still nothing\n", "in"));
    EXPECT_TRUE(script.GetEvents().empty());
}

} // namespace
