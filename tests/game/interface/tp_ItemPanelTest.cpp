// The item panel and the hidden-object dialog: the row given at once, its
// paging after a new show, removal and winning, the two-entry hint, the
// cheat key with both panels holding items, and the dialog's close.
#include "WidgetTestSupport.h"

#include "engine/scene/tr_InputFocus.h"
#include "game/interface/tp_ItemPanel.h"
#include "game/interface/tp_TaskPanel.h"

namespace {

class ItemPanelTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin(3);
        panel = AddWithStandIn<tp_ItemPanel>(
            InterfaceWidget_ItemPanel, "int_itempanel",
            {{Command_ItemPanel_MoveObjects, "SendMessage(Event_ItemPanel_MoveEnd, {})"}});
        ASSERT_NE(panel, nullptr);
        ASSERT_NE(AddWithStandIn<tp_InterfaceWidget>(InterfaceWidget_Effects, "int_effects"),
                  nullptr);
        RecordTrigger("trg_ho_win");
        RecordTrigger("trg_ho_win_end");
        Run("on_command = function(n, t) if n == 95 then local p = {} "
            "for _, h in ipairs(t.hint) do p[#p + 1] = h.obj_name end "
            "hint = table.concat(p, ' ') end end");
        Calls();
    }

    // Tools t<i> under the module root, each used on target g<i>.
    void ShowRow(int count, int first = 0) {
        std::string lua = "SendMessage(Command_ItemPanel_Show, {objects = {";
        for (int i = first; i < first + count; ++i) {
            const std::string n = std::to_string(i);
            if (!Core().GetScene().FindObject("t" + n)) {
                Place("t" + n, panel->GetModuleObject());
                Place("g" + n);
            }
            lua += "{name = 't" + n + "', hint = 'g" + n + "'},";
        }
        Run(lua + "}})");
    }
    std::string Hint() {
        Run("hint = nil");
        SendEmpty(Command_ItemPanel_ShowHoHint);
        return Global("hint");
    }

    LevelStandIn level;
    tp_ItemPanel* panel = nullptr;
};

TEST_F(ItemPanelTest, ShowLaysOutTheRowAndTheEmptyRowWinsOnce) {
    ShowRow(2);
    EXPECT_EQ(Calls(), "133 136[t0@0,t1@1]");
    EXPECT_TRUE(Core().GetScene().FindObject("t0")->IsDraggable());
    SendEmpty(Command_ItemPanel_TryCompleteHo);
    EXPECT_EQ(Fired(), "");
    SendNamed(Command_ItemPanel_DeleteObject, "t0");
    SendNamed(Command_ItemPanel_DeleteObject, "t0");
    EXPECT_EQ(Calls(), "135:t0 136[t1@0]");
    SendNamed(Command_ItemPanel_DeleteObject, "t1");
    SendEmpty(Command_ItemPanel_TryCompleteHo);
    SendEmpty(Command_ItemPanel_TryCompleteHo);
    EXPECT_EQ(Fired(), "trg_ho_win ");
}

TEST_F(ItemPanelTest, PagingAfterHideAndAfterAShorterShow) {
    ShowRow(6);
    SendEmpty(Event_ItemPanel_RightBtn_Click);
    SendEmpty(Event_ItemPanel_RightBtn_Click);
    SendEmpty(Event_ItemPanel_RightBtn_Click);
    SendEmpty(Event_ItemPanel_RightBtn_Click);
    EXPECT_EQ(panel->GetFirstVisible(), 3);
    // A new, shorter row must not sit wholly left of the window.
    ShowRow(2, 10);
    EXPECT_EQ(panel->GetFirstVisible(), 0);
    ShowRow(6);
    SendEmpty(Event_ItemPanel_RightBtn_Click);
    ShowRow(5);
    EXPECT_EQ(panel->GetFirstVisible(), 1) << "kept while part of the row shows";
    SendEmpty(Command_ItemPanel_Hide);
    EXPECT_EQ(panel->GetFirstVisible(), 0);
    Calls();
    ShowRow(6);
    EXPECT_EQ(Calls(), "133 136[t0@0,t1@1,t2@2,t3@3,t4@3,t5@3]");
}

TEST_F(ItemPanelTest, HintPointsFromAVisibleToolToAUsableTarget) {
    ShowRow(4);
    Core().GetScene().FindObject("g0")->SetInputEnabled(false);
    Core().GetScene().FindObject("g2")->SetInputEnabled(false);
    // t3 lies outside the window; only t1 has a usable target.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Hint(), "t1 g1");
    Core().GetScene().FindObject("g1")->SetInputEnabled(false);
    EXPECT_EQ(Hint(), "<nil>");
    SendEmpty(Command_ItemPanel_Hide);
    EXPECT_EQ(Hint(), "<nil>");
}

TEST_F(ItemPanelTest, CheatKeyWinsBothPanelsHoldingItems) {
    auto* tasks = AddWithStandIn<tp_TaskPanel>(InterfaceWidget_TaskPanel, "int_taskpanel");
    ASSERT_NE(tasks, nullptr);
    tr_MediatorDataTable cheat;
    cheat.SetInt("key", 32);
    Send(Event_Level_CheatKeyPressed, cheat);
    EXPECT_EQ(Fired(), "");
    ShowRow(1);
    Run("SendMessage(Command_TaskPanel_Show, {tasks = {{name = 'x', count = 1}}})");
    Send(Event_Level_CheatKeyPressed, cheat);
    Send(Event_Level_CheatKeyPressed, cheat);
    // One win from each panel, none repeated.
    EXPECT_EQ(Fired(), "trg_ho_win trg_ho_win ");
}

TEST_F(ItemPanelTest, ToolDeletedWhileDraggedOrZoomed) {
    ShowRow(3);
    Calls();
    tr_InputFocus::Dragged().Set(Core().GetScene().FindObject("t0"));
    Step(panel, 0.0f);
    tr_InputEvent move;
    move.type = TR_EVENT_MOUSE_MOVE;
    tr_InputFocus::Dragged().Reset();
    panel->HandleInput(move, Core().GetScene().FindObject("t2"), tr_DrawState());
    tr_InputFocus::Dragged().Set(Core().GetScene().FindObject("t0"));
    EXPECT_EQ(Calls(), "137:t0 139:t2");
    Run("ObjDelete('t0') ObjDelete('t2')");
    Step(panel, 0.0f);
    EXPECT_EQ(Calls(), "141 140:t2 135:t0 135:t2 136[t1@0]");
    EXPECT_EQ(level.received[Command_Transporter_Finish], 1);
    Run("ObjDelete('t1')");
    Step(panel, 0.0f);
    SendEmpty(Command_ItemPanel_TryCompleteHo);
    EXPECT_EQ(Fired(), "trg_ho_win ");
}

TEST_F(ItemPanelTest, DialogCloseQueuesTheEndAndHidesAtOnce) {
    ASSERT_NE(AddWithStandIn<tp_InterfaceWidget>(InterfaceWidget_DialogHo, "int_dialog_ho"),
              nullptr);
    Calls();
    SendEmpty(Command_DialogHo_Show);
    SendEmpty(Command_DialogHo_Hide); // a module command only: nobody listens
    SendEmpty(Event_DialogHo_BtnClose_Click);
    EXPECT_EQ(Calls(), "92 93");
    EXPECT_EQ(Fired(), "trg_ho_win_end ");
}

} // namespace
