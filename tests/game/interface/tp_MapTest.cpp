// The map: its closed / opening / open / closing states, commands dropped
// while an animation runs, and its module parked while the map is closed.
#include "WidgetTestSupport.h"

#include "game/interface/tp_Map.h"
#include "game/interface/tp_WidgetSupport.h"

namespace {

class MapTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        map = AddWithStandIn<tp_Map>(InterfaceWidget_Map, "int_map",
                                     {{Command_Map_Show, "SendMessage(Event_Map_ShowEnd, {})"},
                                      {Command_Map_Hide, "SendMessage(Event_Map_HideEnd, {})"}});
        ASSERT_NE(map, nullptr);
        ASSERT_NE(map->GetModuleObject(), nullptr);
    }
    bool ModuleShown() { return map->GetModuleObject()->GetParent() == map; }

    tp_Map* map = nullptr;
};

TEST_F(MapTest, CommandsFollowTheStatesAndAreDroppedWhileBusy) {
    const struct {
        const char* name;
        std::vector<int> messages;
        const char* calls;
        bool open, busy, shown;
    } rows[] = {
        {"show twice opens once", {128, 128}, "128", true, true, true},
        {"hide before the show ends", {128, 129}, "128", true, true, true},
        {"hide when open", {128, 131, 129}, "128 129", false, true, true},
        {"a close parks the module", {128, 131, 129, 132}, "128 129 132", false, false, false},
        {"close button while closed", {130}, "", false, false, false},
        {"close button while open", {128, 131, 130}, "128 129", false, true, true},
        {"hide while closed", {129}, "", false, false, false},
        {"open again", {128, 131, 129, 132, 128}, "128 129 132 128", true, true, true},
        {"game mode", {AppUpdateGameMode}, "26", false, false, false},
    };
    Run("answer = false");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (int message : row.messages)
            SendEmpty(message);
        EXPECT_EQ(Calls(), row.calls);
        EXPECT_EQ(map->IsOpen(), row.open);
        EXPECT_EQ(map->IsBusy(), row.busy);
        EXPECT_EQ(ModuleShown(), row.shown);
        // Back to closed for the next row, whatever this one left.
        if (map->IsOpen() && map->IsBusy())
            SendEmpty(Event_Map_ShowEnd);
        if (map->IsOpen())
            SendEmpty(Command_Map_Hide);
        SendEmpty(Event_Map_HideEnd);
        Calls();
        ASSERT_FALSE(map->IsOpen() || map->IsBusy() || ModuleShown());
    }
}

TEST_F(MapTest, EachOpeningLaysTheModuleOutAndTheCycleEndsIdle) {
    for (int cycle = 1; cycle <= 3; ++cycle) {
        Triggers().RunQueue();
        log.lines.clear();
        SendEmpty(Command_Map_Show);
        EXPECT_TRUE(map->IsOpen() && !map->IsBusy() && ModuleShown());
        Triggers().RunQueue();
        EXPECT_EQ(
            log.CountStartingWith("Error: object widget_map try to call trigger trg_int_map_set"),
            1);
        SendEmpty(Event_Map_BtnClose_Click);
        EXPECT_FALSE(map->IsOpen() || map->IsBusy() || ModuleShown());
        EXPECT_EQ(map->GetModuleObject()->GetParent(), hub->GetStorage());
    }
    EXPECT_EQ(Calls(), "128 129 132 128 129 132 128 129 132");
}

TEST_F(MapTest, ADeletedModuleNeverLeavesTheMapBusy) {
    Run("answer = false");
    SendEmpty(Command_Map_Show);
    ASSERT_TRUE(map->IsBusy());
    Core().GetScene().DeleteObject(map->GetModuleObject());
    Core().GetScene().Update(tr_FrameInfo{});
    ASSERT_EQ(map->GetModuleObject(), nullptr);
    EXPECT_FALSE(map->IsOpen() || map->IsBusy());
    // Nothing to open now: the commands are dropped instead of waiting.
    SendEmpty(Command_Map_Show);
    EXPECT_FALSE(map->IsOpen() || map->IsBusy());
}

} // namespace
