// A start room chosen for development: it wins over the room the start
// trigger asks for, and the chosen sub-room opens once the level plays.
#include "LevelFixture.h"

namespace {

struct StartRoomCase {
    const char* room;
    const char* subroom;
    const char* asked; // what the start trigger asks for ("" for nothing)
    const char* opened_room;
    const char* opened_subroom; // "" for none
};

class LevelStartRoomTest : public LevelFixture {};

TEST_F(LevelStartRoomTest, TheChosenRoomWins) {
    const StartRoomCase cases[] = {
        {"cellar", "", "hall", "cellar", ""},
        {"attic", "", "", "attic", ""},
        {"hall", "desk", "attic", "hall", "desk"},
    };
    for (const StartRoomCase& c : cases) {
        MakeLevel();
        level->SetStartRoom(c.room, c.subroom);
        if (*c.asked)
            SendSwitch(c.asked, true);
        ASSERT_TRUE(
            RunUntilState(*c.subroom ? tp_Level::STATE_SUBROOM_OPEN : tp_Level::STATE_PLAYING))
            << c.room;
        ASSERT_NE(level->GetCurrentRoom(), nullptr);
        EXPECT_EQ(level->GetCurrentRoom()->GetName(), c.opened_room);
        const tp_SubRoom* sub = level->GetCurrentSubRoom();
        EXPECT_EQ(sub ? sub->GetName() : std::string(), c.opened_subroom);
        // Later switches are the content's own again.
        SendSwitch("attic", false);
        EXPECT_EQ(level->GetCurrentRoom()->GetName(), "attic") << c.room;
        delete level;
        level = nullptr;
    }
}

} // namespace
