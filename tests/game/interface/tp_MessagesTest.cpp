// The message-number table: the numbers content relies on, and the script
// list's shape.
#include "game/interface/tp_Messages.h"

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

TEST(MessageTable, NamesAndNumbersMatchInBothForms) {
    size_t count = 0;
    const tp_MessageName* names = tp_GetScriptMessages(&count);
    auto number_of = [&](const std::string& name) {
        for (size_t i = 0; i < count; ++i)
            if (name == names[i].name)
                return names[i].number;
        return -1;
    };
    EXPECT_EQ(number_of("Command_Interface_WidgetAdd"), Command_Interface_WidgetAdd);
    EXPECT_EQ(number_of("Command_FrameSubroom_Show"), 96);
    EXPECT_EQ(number_of("Event_FrameSubroom_BtnClose_Click"), 98);
    EXPECT_EQ(number_of("Command_Pause_Hide"), 150);
    EXPECT_EQ(number_of("Command_Transporter_MoveObject"), 151);
    EXPECT_EQ(number_of("Command_StrategyGuide_Show"), 153);
    EXPECT_EQ(number_of("Event_StrategyGuide_BtnClose_Click"), 162);
    EXPECT_EQ(number_of("LevelPause"), -1);
    EXPECT_EQ(LevelSwitchRoom, 10);
    EXPECT_EQ(LevelIsLoading, 16);
    EXPECT_EQ(SubRoomTransform, 97);
    EXPECT_EQ(Command_Transporter_Finish, 152);
}

} // namespace
