// The task panel and the task header: finds counted down to the module,
// one win per list, hint choice (groups, starvation, warning, fixed seed),
// cheat key and query, and the header's states and z messages.
#include "WidgetTestSupport.h"

#include "engine/core/tr_MediatorDataArray.h"
#include "game/interface/tp_TaskHeader.h"
#include "game/interface/tp_TaskPanel.h"

namespace {

class TaskPanelTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        panel = AddWithStandIn<tp_TaskPanel>(
            InterfaceWidget_TaskPanel, "int_taskpanel",
            {{Command_TaskPanel_CompleteTask,
              "SendMessage(Event_TaskPanel_CompleteTaskEnd, {name = t.name, game_name = "
              "t.game_name})"}});
        effects = AddWithStandIn<tp_InterfaceWidget>(InterfaceWidget_Effects, "int_effects");
        ASSERT_NE(panel, nullptr);
        ASSERT_NE(effects, nullptr);
        for (const char* name : {"trg_ho_win", "trg_ho_hint_noobjects"})
            RecordTrigger(name);
        // The effects stand-in lists the hint's objects and positions.
        Run("on_command = function(n, t) if n == 95 then local p = {} "
            "for _, h in ipairs(t.hint) do p[#p + 1] = h.obj_name .. '=' .. h.pos_x .. ',' .. "
            "h.pos_y end hint = table.concat(p, ' ') end end");
        Calls();
    }

    // tasks: the Lua text of the list's entries.
    void ShowTasks(const std::string& tasks) {
        Run("SendMessage(Command_TaskPanel_Show, {tasks = {" + tasks + "}})");
    }
    void Find(const std::string& name, const std::string& game_name = "") {
        tr_MediatorDataTable data;
        data.SetString("name", name);
        data.SetString("game_name", game_name);
        Send(Command_TaskPanel_CompleteTask, data);
    }
    std::string Hint() {
        Run("hint = nil");
        SendEmpty(Command_TaskPanel_ShowHoHint);
        return Global("hint");
    }
    void Cheat(int key) {
        tr_MediatorDataTable data;
        data.SetInt("key", key);
        Send(Event_Level_CheatKeyPressed, data);
    }

    LevelStandIn level;
    tp_TaskPanel* panel = nullptr;
    tp_InterfaceWidget* effects = nullptr;
};

TEST_F(TaskPanelTest, FindsCountDownAndTheListWinsOnce) {
    ShowTasks("{name = 'coin', count = 3}, {name = 'vase', count = 1}, "
              "{name = 'vase', count = 1}");
    EXPECT_EQ(Calls(), "52");
    for (int i = 0; i < 4; ++i)
        Find("coin");
    EXPECT_EQ(Calls(), "54:coinx2 54:coinx1 54:coinx0");
    EXPECT_EQ(Fired(), "");
    // Tasks that share a name both count the one find.
    Find("vase");
    EXPECT_EQ(Calls(), "54:vasex0 54:vasex0");
    EXPECT_EQ(Fired(), "trg_ho_win ");
    // A stray end or the cheat key after the win does not win again.
    SendNamed(Event_TaskPanel_CompleteTaskEnd, "coin");
    Cheat(32);
    EXPECT_EQ(Fired(), "");
    Find("unknown");
    EXPECT_EQ(Calls(), "");
}

TEST_F(TaskPanelTest, ListsOfNothingToFindAndEmptyLists) {
    Cheat(32);
    SendNamed(Event_TaskPanel_CompleteTaskEnd, "x");
    EXPECT_EQ(Fired(), "");
    ShowTasks("{name = 'a', count = 0}, {name = 'b', count = 0}");
    SendNamed(Event_TaskPanel_CompleteTaskEnd, "anything");
    EXPECT_EQ(Fired(), "trg_ho_win ");

    // An empty Lua table where the list belongs is an empty list.
    Run("SendMessage(Command_TaskPanel_Show, {tasks = {}})");
    ASSERT_NE(panel->GetTasks(), nullptr);
    EXPECT_EQ(panel->GetTasks()->Count(), 0);
    Run("q = SendMessage(29, {}).result");
    EXPECT_EQ(Global("q"), "1");
    Cheat(31);
    EXPECT_EQ(Fired(), "");
    Cheat(32);
    EXPECT_EQ(Fired(), "trg_ho_win ");
    SendEmpty(Command_TaskPanel_Hide);
    Run("q = SendMessage(29, {}).result");
    EXPECT_EQ(Global("q"), "<nil>");
}

TEST_F(TaskPanelTest, WhileLoadingAFindDeletesItsSceneObject) {
    ShowTasks("{name = 'coin', count = 2}");
    tr_ObjectRef first(Place("coin_1"));
    Find("coin", "coin_1");
    EXPECT_FALSE(first) << "the module's end of the find deletes it";
    level.loading = true;
    tr_ObjectRef second(Place("coin_2"));
    Run("answer = false");
    Find("coin", "coin_2");
    EXPECT_FALSE(second);
}

TEST_F(TaskPanelTest, HintChoosesAmongUsableGroups) {
    Place("cup")->SetPosition(10.0f, 20.0f);
    Place("taken")->SetInputEnabled(false);
    Place("pen")->SetPosition(5.0f, 6.0f);
    ShowTasks("{name = 'cup', count = 1, hint = {{'taken'}, {'cup'}}}, "
              "{name = 'pen', count = 1, hint = {{'missing'}, {'taken', 'pen'}}}");
    // The second task has no usable group: starved, but the first is there.
    // Positions are given in the space of the hub, the panel's parent.
    hub->SetPosition(100.0f, 50.0f);
    EXPECT_EQ(Hint(), "cup=-90,-30");
    // A hub scaled to nothing has no inverse: world positions, not infinities.
    hub->SetScale(0.0f, 0.0f);
    EXPECT_EQ(Hint(), "cup=10,20");
    Find("cup");
    EXPECT_EQ(Hint(), "<nil>");
    EXPECT_EQ(Fired(), "trg_ho_hint_noobjects ");
    Find("pen");
    EXPECT_EQ(Hint(), "<nil>");
    EXPECT_EQ(log.Count("Warning! No available tasks for hint."), 1);
}

TEST_F(TaskPanelTest, TheHintSequenceIsFixedForAFixedSeed) {
    std::string tasks;
    for (const char* name : {"h0", "h1", "h2", "h3", "h4"}) {
        Place(name);
        tasks += "{name = '" + std::string(name) + "', count = 1, hint = {{'" + name + "'}}},";
    }
    ShowTasks(tasks);
    std::string first;
    for (int i = 0; i < 6; ++i)
        first += Hint().substr(0, 2) + " ";
    tr_Random::Reset();
    std::string second;
    for (int i = 0; i < 6; ++i)
        second += Hint().substr(0, 2) + " ";
    EXPECT_EQ(first, second);
    // The classic sequence from seed 1 starts 41, 18467, 6334, 26500, 19169.
    EXPECT_EQ(first.substr(0, 15), "h1 h2 h4 h0 h4 ");
}

class TaskHeaderTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        header = AddWithStandIn<tp_TaskHeader>(InterfaceWidget_TaskHeader, "int_taskheader");
        ASSERT_NE(header, nullptr);
        for (int id :
             {Command_TaskPanel_IncreaseZ, Command_TaskPanel_DecreaseZ, Command_Inventory_IncreaseZ,
              Command_Inventory_DecreaseZ, Command_Interface_WidgetSetInput})
            tr_Mediator::Get()->Subscribe(id, &sent);
    }

    // Records the numbers the header sends (22 with its "input").
    struct Recorder : tr_Listener {
        void OnMessage(int id, tr_MediatorDataTable& data) override {
            int input = -1;
            if (tr_MediatorData* value = data.Find("input"))
                input = value->GetInt();
            text += std::to_string(id) + (input >= 0 ? "=" + std::to_string(input) : "") + " ";
        }
        std::string Take() {
            std::string out;
            out.swap(text);
            return out;
        }
        std::string text;
    } sent;

    tp_TaskHeader* header = nullptr;
};

TEST_F(TaskHeaderTest, StatesAcceptOnlyTheirMessagesAndZChangesOnce) {
    struct Step {
        int message;
        int state;
        const char* sent;
    } steps[] = {
        {Event_TaskHeader_BtnInv_Click, tp_TaskHeader::STATE_HIDDEN, ""},
        {Event_TaskHeader_HideEnd, tp_TaskHeader::STATE_HIDDEN, ""},
        {Command_TaskHeader_Show, tp_TaskHeader::STATE_SHOWN, "22=0 "},
        {Command_TaskHeader_Show, tp_TaskHeader::STATE_SHOWN, ""},
        {Event_TaskHeader_BtnInv_Click, tp_TaskHeader::STATE_SHOWN, "58 80 22=1 "},
        {Event_TaskHeader_BtnInv_Click, tp_TaskHeader::STATE_SHOWN, "22=1 "},
        {Event_TaskHeader_BtnTask_Click, tp_TaskHeader::STATE_SHOWN, "57 81 22=0 "},
        {Event_TaskHeader_BtnInv_Click, tp_TaskHeader::STATE_SHOWN, "58 80 22=1 "},
        {Command_TaskHeader_Hide, tp_TaskHeader::STATE_HIDING, "22=0 "},
        {Command_TaskHeader_Hide, tp_TaskHeader::STATE_HIDING, ""},
        {Event_TaskHeader_BtnTask_Click, tp_TaskHeader::STATE_HIDING, ""},
        {Event_TaskHeader_HideEnd, tp_TaskHeader::STATE_HIDDEN, "57 81 22=1 "},
        {Command_TaskHeader_Hide, tp_TaskHeader::STATE_HIDING, "22=0 "},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        SendEmpty(step.message);
        EXPECT_EQ(header->GetState(), step.state);
        EXPECT_EQ(sent.Take(), step.sent);
    }
    EXPECT_EQ(Calls(), "62 63 63");
}

} // namespace
