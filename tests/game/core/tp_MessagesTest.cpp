// The message-number table: the script list's shape and the numbers it must
// leave to native code.
#include "game/core/tp_Messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(MessageTable, ScriptNamesAreUniqueAscendingAndLeaveOutNativeNumbers) {
    size_t count = 0;
    const tp_MessageName* names = tp_GetScriptMessages(&count);
    ASSERT_GT(count, 0u);
    std::set<std::string> seen;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(seen.insert(names[i].name).second) << names[i].name;
        if (i > 0) {
            EXPECT_LT(names[i - 1].number, names[i].number) << names[i].name;
        }
        EXPECT_GE(names[i].number, 17);
        for (int native : {27, 28, 29, 97, 152, 163, 164})
            EXPECT_NE(names[i].number, native) << names[i].name;
    }
    // 17..26, 30..96, 98..151, 153..162 and 165.
    EXPECT_EQ(count, 10u + 67u + 54u + 10u + 1u);
    EXPECT_STREQ(names[0].name, "Event_Level_CheatKeyPressed");
    EXPECT_STREQ(names[count - 1].name, "Message_CustomWidget");
}

} // namespace
