// The inventory: slot positions and scrolling, counts, removal and its
// scrolling rule, paging locked during a layout, autohide, adds and removes
// while the level loads, drags, hovers, and item objects deleted by script.
#include "WidgetTestSupport.h"

#include "engine/scene/tr_InputFocus.h"
#include "game/interface/tp_Inventory.h"

namespace {

class InventoryTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin(slots_);
        inventory = AddWithStandIn<tp_Inventory>(
            InterfaceWidget_Inventory, "int_inventory",
            {{Command_Inventory_MoveObjects, "SendMessage(Event_Inventory_MoveEnd, {})"},
             {Command_Inventory_AddObject,
              "SendMessage(Event_Inventory_AddEnd, {name = t.name, game_name = t.game_name})"}});
        ASSERT_NE(inventory, nullptr);
        shelf = inventory->GetModuleObject();
        ASSERT_NE(shelf, nullptr);
        Calls();
    }

    void AddItem(const std::string& name, const std::string& game_name = "",
                 const std::string& trigger = "") {
        tr_MediatorDataTable data;
        data.SetString("name", name);
        data.SetString("game_name", game_name);
        data.SetString("trigger", trigger);
        Send(Command_Inventory_AddObject, data);
    }
    // Items prefix + "0".."<n-1>", their icons under the module root.
    void Fill(int count, const std::string& prefix = "i") {
        for (int i = 0; i < count; ++i) {
            Place(prefix + std::to_string(i), shelf);
            AddItem(prefix + std::to_string(i));
        }
        Calls();
    }
    void Frame() { Step(inventory, 0.0f); }
    void Move(tr_Object* picked) {
        tr_InputEvent event;
        event.type = TR_EVENT_MOUSE_MOVE;
        inventory->HandleInput(event, picked, tr_DrawState());
    }

    int slots_ = 6;
    LevelStandIn level;
    tp_Inventory* inventory = nullptr;
    tr_Object* shelf = nullptr;
};

TEST_F(InventoryTest, SeventhItemScrollsAndLaysOutOutsideTheWindow) {
    Fill(6);
    EXPECT_EQ(level.received[LevelIsLoading], 6);
    Place("i6", shelf);
    AddItem("i6");
    EXPECT_EQ(inventory->GetFirstVisible(), 1);
    EXPECT_EQ(Calls(), "69:i6@5x1 71[i0@-1,i1@0,i2@1,i3@2,i4@3,i5@4,i6@5]");
    EXPECT_TRUE(Core().GetScene().FindObject("i6")->IsDraggable());

    AddItem("i2");
    EXPECT_EQ(inventory->GetItems().size(), 7u);
    EXPECT_EQ(inventory->GetItems()[2].count, 2);
    EXPECT_EQ(Calls(), "69:i2@1x2 71[i0@-1,i1@0,i2@1,i3@2,i4@3,i5@4,i6@5]");
}

TEST_F(InventoryTest, RemovalClosesTheWindowUpByTheRule) {
    struct Case {
        int items;
        int first_visible;
        int removed;
        int expected_first;
    } cases[] = {{10, 2, 3, 1}, {10, 0, 3, 0}, {10, 4, 1, 3}, {10, 2, 9, 2}};
    std::string prefix = "a";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first_visible * 100 + c.removed);
        for (const auto& item : std::vector<tp_ItemRowWidget::Item>(inventory->GetItems()))
            SendNamed(Command_Inventory_DeleteObject, item.name);
        prefix[0]++;
        Fill(c.items, prefix);
        SendNamed(Command_Inventory_ShowObject, prefix + std::to_string(c.first_visible));
        ASSERT_EQ(inventory->GetFirstVisible(), c.first_visible);
        Calls();
        const std::string name = prefix + std::to_string(c.removed);
        SendNamed(Command_Inventory_DeleteObject, name);
        EXPECT_EQ(inventory->GetFirstVisible(), c.expected_first);
        EXPECT_EQ(inventory->IndexOf(name), -1);
        EXPECT_EQ(Core().GetScene().FindObject(name)->GetParent(),
                  Core().GetScene().GetStorageRoot());
        EXPECT_EQ(Calls().rfind("70:" + name + " ", 0), 0u);
    }
    // Unknown names change nothing and send nothing.
    SendNamed(Command_Inventory_DeleteObject, "nothing");
    SendNamed(Command_Inventory_ShowObject, "nothing");
    SendEmpty(Command_Inventory_MoveObjects);
    EXPECT_EQ(Calls(), "");
}

TEST_F(InventoryTest, PagingWaitsForTheEndOfTheLayout) {
    Fill(8);
    SendNamed(Command_Inventory_ShowObject, "i0");
    Run("answer = false");
    SendEmpty(Event_Inventory_RightBtn_Click);
    EXPECT_EQ(inventory->GetFirstVisible(), 1);
    SendEmpty(Event_Inventory_RightBtn_Click);
    EXPECT_EQ(inventory->GetFirstVisible(), 1);
    SendEmpty(Event_Inventory_MoveEnd);
    SendEmpty(Event_Inventory_RightBtn_Click);
    SendEmpty(Event_Inventory_MoveEnd);
    SendEmpty(Event_Inventory_RightBtn_Click); // the last item already shows
    EXPECT_EQ(inventory->GetFirstVisible(), 2);
    SendEmpty(Event_Inventory_LeftBtn_Click);
    EXPECT_EQ(inventory->GetFirstVisible(), 1);
}

TEST_F(InventoryTest, AutohideShowsWhileSomethingHoldsThePanelOut) {
    Frame();
    EXPECT_EQ(Calls(), "");
    SendEmpty(Event_Inventory_FlyAnimationStart);
    Frame();
    SendEmpty(Event_Inventory_FlyAnimationEnd);
    SendEmpty(Event_Inventory_FlyAnimationEnd); // a stray end
    Frame();
    SendEmpty(Event_Inventory_FlyAnimationStart);
    Frame();
    EXPECT_EQ(Calls(), "67 68 67");

    SendEmpty(Event_Inventory_FlyAnimationEnd);
    tr_MediatorDataTable off;
    off.SetInt("autohide", 0);
    Send(Command_Inventory_SetAutohide, off);
    for (int i = 0; i < 3; ++i)
        Frame();
    EXPECT_EQ(Calls(), "");
    EXPECT_TRUE(inventory->IsOut());

    // The task header holds it out until the module's hide ends.
    off.SetInt("autohide", 1);
    Send(Command_Inventory_SetAutohide, off);
    SendEmpty(Command_Inventory_ShowForTaskHeader);
    Frame();
    SendEmpty(Command_Inventory_HideForTaskHeader);
    Frame();
    SendEmpty(Event_Inventory_HideForTaskHeaderEnd);
    Frame();
    EXPECT_EQ(Calls(), "78 79");
    EXPECT_FALSE(inventory->IsOut());
}

TEST_F(InventoryTest, WhileLoadingTheSceneObjectGoesAndTheLayoutWaitsForTheUpdate) {
    level.loading = true;
    tr_ObjectRef found(Place("desk_key"));
    Place("key", shelf);
    AddItem("key", "desk_key");
    EXPECT_FALSE(found);
    EXPECT_EQ(Calls(), "69:key@0x1");
    EXPECT_TRUE(inventory->IsLayoutPending());
    Frame();
    EXPECT_EQ(Calls(), "71[key@0]");

    // Not loading: the object stays, only its input goes, until the add ends.
    level.loading = false;
    Run("answer = false");
    tr_ObjectRef coin(Place("desk_coin"));
    AddItem("coin", "desk_coin", "trg_coin_in");
    ASSERT_TRUE(coin);
    EXPECT_FALSE(coin->IsInputEnabled());
    RecordTrigger("trg_coin_in");
    tr_MediatorDataTable end;
    end.SetString("name", "coin");
    end.SetString("game_name", "desk_coin");
    Send(Event_Inventory_AddEnd, end);
    EXPECT_FALSE(coin);
    EXPECT_EQ(Fired(), "trg_coin_in ");
}

class InventoryWithoutSlotsTest : public InventoryTest {
protected:
    void SetUp() override {
        slots_ = 0;
        InventoryTest::SetUp();
    }
};

TEST_F(InventoryWithoutSlotsTest, NoSlotsMeansOneSlotAndAWarning) {
    EXPECT_EQ(inventory->GetSlotCount(), 1);
    EXPECT_EQ(log.Count("Warning: interface widget \"widget_inventory\" has inventory_size 0; "
                        "it shows 1 slot."),
              1);
    Fill(4);
    EXPECT_EQ(inventory->GetFirstVisible(), 3);
    SendEmpty(Event_Inventory_LeftBtn_Click);
    EXPECT_EQ(Calls(), "71[i0@-1,i1@-1,i2@0,i3@1]");
}

TEST_F(InventoryTest, DragOfAnItemAndItsEnd) {
    Fill(2);
    tr_Object* item = Core().GetScene().FindObject("i1");
    tr_InputFocus::Dragged().Set(item);
    Frame();
    EXPECT_EQ(inventory->GetHeldObject(), item);
    SendEmpty(Event_Inventory_FlyToCursorEnd);
    EXPECT_TRUE(item->IsInputEnabled());
    Frame();
    tr_InputFocus::Dragged().Reset();
    Frame();
    EXPECT_EQ(inventory->GetHeldObject(), nullptr);
    EXPECT_EQ(level.received[Command_Transporter_Finish], 1);
    EXPECT_EQ(Calls(), "72:i1 73:i1");

    // Removing the held item lets go of it at once.
    tr_InputFocus::Dragged().Set(item);
    Frame();
    SendNamed(Command_Inventory_DeleteObject, "i1");
    EXPECT_EQ(inventory->GetHeldObject(), nullptr);
    EXPECT_EQ(level.received[Command_Transporter_Finish], 2);
    EXPECT_EQ(Calls(), "72:i1 76 70:i1 71[i0@0]");
    tr_InputFocus::Dragged().Reset();
}

TEST_F(InventoryTest, HoverZoomsTheItemUnderThePointer) {
    Fill(2);
    tr_Object* first = Core().GetScene().FindObject("i0");
    tr_Object* second = Core().GetScene().FindObject("i1");
    Move(Place("scenery"));
    EXPECT_FALSE(inventory->IsHover());
    Move(first);
    EXPECT_TRUE(inventory->IsHover());
    Move(first);
    Move(second);
    Move(nullptr);
    EXPECT_FALSE(inventory->IsHover());
    EXPECT_EQ(Calls(), "74:i0 75:i0 74:i1 75:i1");
    // Nothing changes while the engine drags an object.
    tr_InputFocus::Dragged().Set(first);
    Move(second);
    tr_InputFocus::Dragged().Reset();
    EXPECT_EQ(Calls(), "");
}

TEST_F(InventoryTest, ItemObjectsDeletedByScriptLeaveTheRow) {
    Fill(3);
    Move(Core().GetScene().FindObject("i2"));
    tr_InputFocus::Dragged().Set(Core().GetScene().FindObject("i1"));
    Frame();
    EXPECT_EQ(Calls(), "74:i2 67 72:i1");
    Run("ObjDelete('i1') ObjDelete('i2')");
    Frame();
    EXPECT_EQ(inventory->GetHeldObject(), nullptr);
    EXPECT_EQ(inventory->GetZoomedObject(), nullptr);
    EXPECT_EQ(inventory->GetItems().size(), 1u);
    EXPECT_EQ(Calls(), "76 75:i2 70:i1 70:i2 71[i0@0]");
    EXPECT_EQ(level.received[Command_Transporter_Finish], 1);
}

TEST_F(InventoryTest, AModuleDeletingItsWidgetEndsTheHandler) {
    // The add's module call deletes the inventory; nothing runs after it.
    Run("on_command = function(n) if n == 69 then ObjDelete('widget_inventory') end end");
    const tr_ObjectRef widget(inventory);
    AddItem("anything");
    EXPECT_FALSE(widget);
    EXPECT_EQ(Calls(), "69:anything@0x1");
}

} // namespace
