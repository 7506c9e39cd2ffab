// The transporter: the four flight shapes, end and early triggers, the
// cursor-to-inventory re-attach, message 152, and commands or objects that
// go missing.
#include "InterfaceTestSupport.h"

#include "engine/scene/tr_InputFocus.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_TransferEasing.h"
#include "game/interface/tp_Transporter.h"

#include <cmath>

namespace {

class TransporterTest : public InterfaceFixture {
protected:
    void SetUp() override {
        MakeHub();
        transporter = dynamic_cast<tp_Transporter*>(hub->GetWidget(InterfaceWidget_Transporter));
        ASSERT_NE(transporter, nullptr);
        // End triggers append their argument to a Lua string.
        Triggers().AddTrigger(std::make_unique<tr_Trigger>(
            "trg_end", "ended = (ended or '') .. tostring(tr_params.param_0)"));
    }

    tr_Object* Place(const std::string& name, float x, float y) {
        tr_Object* object = new tr_Object(name);
        object->SetPosition(x, y);
        tr_Object::Attach(Core().GetScene().GetDisplayRoot(), object);
        return object;
    }

    void Move(const std::string& object, const std::string& destination, int type,
              const std::string& end = "trg_end(A)") {
        tr_MediatorDataTable data;
        data.SetString("obj_name", object);
        data.SetString("toobj_name", destination);
        data.SetString("end_trig", end);
        data.SetInt("type", type);
        for (const auto& extra : extras)
            data.SetFloat(extra.first, extra.second);
        Send(Command_Transporter_MoveObject, data);
    }

    // Advances the transporter to elapsed time `until` in steps of dt.
    void RunTo(float until, float dt = 0.01f) {
        while (clock + 1e-6f < until) {
            const float step = std::min(dt, until - clock);
            Step(transporter, step);
            clock += step;
        }
    }

    std::string Ended() {
        Triggers().RunQueue();
        return Global("ended");
    }

    tp_Transporter* transporter = nullptr;
    std::vector<std::pair<std::string, float>> extras;
    float clock = 0.0f;
};

TEST_F(TransporterTest, SceneToInventoryFlightOverNineHundredUnits) {
    tr_Object* item = Place("item", 100.0f, 50.0f);
    tr_Object* slot = Place("slot", 1000.0f, 50.0f);
    Move("item", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    ASSERT_EQ(transporter->GetTransfers().size(), 1u);
    EXPECT_NEAR(transporter->GetTransfers()[0].duration, 1.7f, 1e-5f);
    EXPECT_EQ(item->GetParent(), transporter);

    // Thirty per cent of the path (flight time 1.5 s) peaks the scale.
    RunTo(0.45f);
    EXPECT_NEAR(item->GetScaleX(), 1.5f, 1e-3f);
    EXPECT_NEAR(item->GetScaleY(), 1.5f, 1e-3f);
    const float a = tp_TransferEasing::Smooth(0.3f);
    EXPECT_NEAR(item->GetPosX(), 100.0f + 900.0f * tp_TransferEasing::Smooth(a), 0.05f);
    EXPECT_NEAR(item->GetPosY(), 50.0f, 1e-3f);
    EXPECT_FLOAT_EQ(item->GetAlpha(), 1.0f);
    // The slot is shrunk away until it grows in over the last 0.4 s.
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 0.0f);
    EXPECT_FLOAT_EQ(slot->GetScaleX(), 0.0f);

    // At 80 % the shrinking scale is cut further as the item fades.
    RunTo(1.2f);
    const float k = (1.0f - 0.8f) / 0.3f;
    EXPECT_NEAR(item->GetScaleX(), (1.0f + 0.5f * (1.0f - 0.5f / 0.7f)) * k, 1e-3f);
    EXPECT_NEAR(item->GetAlpha(), k, 1e-3f);
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 0.0f);
    RunTo(1.4f);
    EXPECT_NEAR(slot->GetAlpha(), 0.25f, 1e-3f);
    EXPECT_NEAR(slot->GetScaleX(), 0.25f, 1e-3f);

    // Near the slot the item has all but vanished.
    RunTo(1.49f);
    EXPECT_LT(item->GetAlpha(), 0.03f);
    EXPECT_NEAR(item->GetPosX(), 1000.0f, 0.5f);
    EXPECT_EQ(Ended(), "<nil>");

    RunTo(1.705f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(slot->GetScaleX(), 1.0f);
    EXPECT_EQ(Ended(), "A");
    // The item stays under the transporter.
    EXPECT_EQ(item->GetParent(), transporter);
}

TEST_F(TransporterTest, TheCoreFrameFliesTheObjectAndRunsTheEndTriggerOneFrameLater) {
    tr_Object* item = Place("item", 0.0f, 0.0f);
    Place("slot", 900.0f, 0.0f);
    Move("item", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    tr_FrameInfo frame;
    frame.dt = 0.05f;
    Core().Update(&frame);
    EXPECT_GT(item->GetPosX(), 0.0f);
    for (int i = 0; i < 34; ++i)
        Core().Update(&frame);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(Global("ended"), "<nil>");
    Core().Update(&frame);
    EXPECT_EQ(Global("ended"), "A");
}

TEST_F(TransporterTest, ShowZeroLeavesTheDestinationAlone) {
    Place("item", 0.0f, 0.0f);
    tr_Object* slot = Place("slot", 900.0f, 0.0f);
    slot->SetAlpha(0.7f);
    extras = {{"show", 0.0f}};
    Move("item", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    RunTo(1.705f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 0.7f);
    EXPECT_FLOAT_EQ(slot->GetScaleX(), 1.0f);
}

TEST_F(TransporterTest, EarlyTimeRunsTheEndTriggerOnceBeforeTheEnd) {
    Place("item", 0.0f, 0.0f);
    Place("slot", 900.0f, 0.0f);
    extras = {{"red_time", 0.5f}};
    Move("item", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    RunTo(1.15f);
    EXPECT_EQ(Ended(), "<nil>");
    RunTo(1.21f);
    EXPECT_EQ(Ended(), "A");
    EXPECT_EQ(transporter->GetTransfers().size(), 1u);
    RunTo(1.8f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(Ended(), "A");
}

TEST_F(TransporterTest, SceneToTaskPanelSettlesAtTheTargetAndShrinks) {
    tr_Object* item = Place("item", 0.0f, 0.0f);
    Place("panel", 0.0f, 600.0f);
    Move("item", "panel", tp_Transporter::TRANS_SCENE_TO_TASK_PANEL);
    ASSERT_EQ(transporter->GetTransfers().size(), 1u);
    EXPECT_NEAR(transporter->GetTransfers()[0].duration, 2.0f, 1e-5f);
    // Flight time 1.5 s: 40 % is the largest scale; y eases in.
    RunTo(0.6f);
    EXPECT_NEAR(item->GetScaleX(), 1.3f, 1e-3f);
    EXPECT_NEAR(item->GetPosY(), 600.0f * tp_TransferEasing::EaseIn(0.4f), 0.05f);
    RunTo(1.75f);
    EXPECT_FLOAT_EQ(item->GetPosY(), 600.0f);
    EXPECT_NEAR(item->GetAlpha(), 0.5f, 1e-3f);
    EXPECT_NEAR(item->GetScaleX(), 0.5f, 1e-3f);
    RunTo(2.005f);
    EXPECT_EQ(Ended(), "A");
}

TEST_F(TransporterTest, CursorToInventoryEndsAttachedToTheDestinationAtTheOrigin) {
    tr_Object* item = Place("item", 0.0f, 0.0f);
    tr_Object* slot = Place("slot", 300.0f, 400.0f);
    slot->SetAlpha(0.0f);
    extras = {{"scale", 0.5f}};
    Move("item", "slot", tp_Transporter::TRANS_CURSOR_TO_INVENTORY);
    ASSERT_EQ(transporter->GetTransfers().size(), 1u);
    // No cursor lives in this test: the flight starts at (0, 0).
    EXPECT_NEAR(transporter->GetTransfers()[0].duration, 500.0f / 1500.0f + 0.2f, 1e-5f);
    // The slot fades in over the last quarter of the flight.
    const float duration = transporter->GetTransfers()[0].duration;
    RunTo(0.7f * duration);
    EXPECT_EQ(item->GetParent(), transporter);
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 0.0f);
    EXPECT_NEAR(item->GetScaleX(), 1.0f - 0.5f * 0.7f, 1e-3f);
    RunTo(0.9f * duration);
    EXPECT_NEAR(slot->GetAlpha(), 0.6f, 1e-3f);
    RunTo(0.6f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(item->GetParent(), slot);
    EXPECT_FLOAT_EQ(item->GetPosX(), 0.0f);
    EXPECT_FLOAT_EQ(item->GetPosY(), 0.0f);
    EXPECT_NEAR(item->GetScaleX(), 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 1.0f);
    EXPECT_EQ(Ended(), "A");
}

TEST_F(TransporterTest, InventoryToCursorMovesTheDragPositionAndFadesTheSlot) {
    tr_Object* item = Place("item", 200.0f, 100.0f);
    item->SetScale(2.0f, 2.0f);
    tr_Object* slot = Place("slot", 200.0f, 100.0f);
    tr_InputFocus::Dragged().Set(item);
    item->SetDragPosition(5.0f, 5.0f, 0.0f);
    Move("item", "slot", tp_Transporter::TRANS_INVENTORY_TO_CURSOR);
    ASSERT_EQ(transporter->GetTransfers().size(), 1u);
    const tp_Transporter::Transfer& transfer = transporter->GetTransfers()[0];
    EXPECT_FLOAT_EQ(transfer.duration, 0.4f);
    // The start is the plain position, not the drag position.
    EXPECT_FLOAT_EQ(transfer.start_x, 200.0f);
    EXPECT_FLOAT_EQ(transfer.start_y, 100.0f);
    EXPECT_TRUE(tr_InputFocus::Dragged().Is(item));

    RunTo(0.2f);
    EXPECT_NEAR(slot->GetAlpha(), 0.5f, 1e-4f);
    EXPECT_NEAR(item->GetScaleX(), 1.5f, 1e-4f);
    RunTo(0.405f);
    EXPECT_FLOAT_EQ(slot->GetAlpha(), 0.0f);
    EXPECT_FLOAT_EQ(item->GetScaleX(), 1.0f);
    // The drag position has reached the cursor, drawn at (0, 0) here.
    tr_DrawState state = tr_Object::ComputeDrawState(item, tr_DrawState(), 0);
    EXPECT_NEAR(state.transform[12], 0.0f, 1e-3f);
    EXPECT_NEAR(state.transform[13], 0.0f, 1e-3f);
    tr_InputFocus::Dragged().Reset();
}

TEST_F(TransporterTest, FlightsFromOrToInfinityStillEnd) {
    Place("far", INFINITY, 0.0f);
    Place("slot", 10.0f, 10.0f);
    Move("far", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY, "trg_end(far)");
    Place("near", 0.0f, 0.0f);
    Place("nowhere", NAN, -INFINITY);
    Move("near", "nowhere", tp_Transporter::TRANS_SCENE_TO_TASK_PANEL, "trg_end(near)");
    RunTo(1.5f, 0.05f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(Ended(), "farnear");
}

TEST_F(TransporterTest, TwoTransfersEndingInOneFrameFinishInListOrder) {
    Place("first", 0.0f, 0.0f);
    Place("second", 0.0f, 100.0f);
    Place("slot", 900.0f, 0.0f);
    Place("slot2", 900.0f, 100.0f);
    Move("first", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY, "trg_end(A)");
    Move("second", "slot2", tp_Transporter::TRANS_SCENE_TO_INVENTORY, "trg_end(B)");
    ASSERT_EQ(transporter->GetTransfers().size(), 2u);
    RunTo(1.65f);
    EXPECT_EQ(transporter->GetTransfers().size(), 2u);
    Step(transporter, 0.1f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(Ended(), "AB");
}

TEST_F(TransporterTest, FinishEndsTheFirstTransferOfThatTypeWhereItIs) {
    tr_Object* first = Place("first", 0.0f, 0.0f);
    Place("second", 0.0f, 10.0f);
    Place("slot", 900.0f, 0.0f);
    Move("first", "slot", tp_Transporter::TRANS_INVENTORY_TO_CURSOR, "trg_end(A)");
    Move("second", "slot", tp_Transporter::TRANS_INVENTORY_TO_CURSOR, "trg_end(B)");
    RunTo(0.1f);
    const float x = first->GetPosX();
    tr_MediatorDataTable data;
    data.SetInt("type", tp_Transporter::TRANS_INVENTORY_TO_CURSOR);
    Send(Command_Transporter_Finish, data);
    ASSERT_EQ(transporter->GetTransfers().size(), 1u);
    EXPECT_EQ(Ended(), "A");
    EXPECT_FLOAT_EQ(first->GetPosX(), x);
    EXPECT_EQ(first->GetParent(), transporter);
    // No transfer of that type: nothing happens.
    data.SetInt("type", tp_Transporter::TRANS_SCENE_TO_TASK_PANEL);
    Send(Command_Transporter_Finish, data);
    EXPECT_EQ(transporter->GetTransfers().size(), 1u);
}

TEST_F(TransporterTest, DestinationDeletedDuringFlightFliesToWhereItWas) {
    tr_Object* item = Place("item", 0.0f, 0.0f);
    tr_Object* slot = Place("slot", 300.0f, 400.0f);
    Move("item", "slot", tp_Transporter::TRANS_CURSOR_TO_INVENTORY);
    RunTo(0.2f);
    Core().GetScene().DeleteObject(slot);
    RunTo(0.6f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(item->GetParent(), transporter);
    EXPECT_FLOAT_EQ(item->GetPosX(), 0.0f);
    EXPECT_EQ(Ended(), "A");
}

TEST_F(TransporterTest, ObjectDeletedDuringFlightDropsTheTransferAndStillEnds) {
    tr_Object* item = Place("item", 0.0f, 0.0f);
    Place("slot", 900.0f, 0.0f);
    Move("item", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    RunTo(0.5f);
    Core().GetScene().DeleteObject(item);
    RunTo(0.52f);
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(Ended(), "A");
    RunTo(2.0f);
    EXPECT_EQ(Ended(), "A");
}

TEST_F(TransporterTest, CommandsThatCannotFlyAreDroppedWithTheirEndTrigger) {
    tr_Object* item = Place("item", 10.0f, 20.0f);
    Place("slot", 900.0f, 0.0f);
    Move("item", "slot", 7, "trg_end(U)");
    Move("nothing", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY, "trg_end(O)");
    Move("item", "nowhere", tp_Transporter::TRANS_CURSOR_TO_INVENTORY, "trg_end(D)");
    Move("tr_origin", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY, "trg_end(R)");
    Move("tp_interface", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY, "trg_end(H)");
    // An object the game or the engine owns stays with its owner.
    tr_Object* layer = Place("tp_layer", 0.0f, 0.0f);
    Move("tp_layer", "slot", tp_Transporter::TRANS_CURSOR_TO_INVENTORY, "trg_end(T)");
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(item->GetParent(), Core().GetScene().GetDisplayRoot());
    EXPECT_EQ(layer->GetParent(), Core().GetScene().GetDisplayRoot());
    EXPECT_FLOAT_EQ(item->GetPosX(), 10.0f);
    EXPECT_EQ(Ended(), "UODRHT");
    EXPECT_EQ(log.CountStartingWith("Warning: transporter can not move object"), 6);

    // A pick-up needs no destination.
    Move("item", "nowhere", tp_Transporter::TRANS_INVENTORY_TO_CURSOR);
    EXPECT_EQ(transporter->GetTransfers().size(), 1u);
    RunTo(0.405f);
    EXPECT_EQ(Ended(), "UODRHTA");
}

TEST_F(TransporterTest, CommandsWithoutNamesMoveNoUnnamedObject) {
    tr_Object* unnamed = Place("", 40.0f, 40.0f);
    tr_Object* item = Place("item", 10.0f, 20.0f);
    tr_MediatorDataTable data; // no "obj_name"
    data.SetString("toobj_name", "item");
    data.SetString("end_trig", "trg_end(N)");
    data.SetInt("type", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    Send(Command_Transporter_MoveObject, data);
    Move("item", "", tp_Transporter::TRANS_SCENE_TO_TASK_PANEL, "trg_end(E)");
    EXPECT_TRUE(transporter->GetTransfers().empty());
    EXPECT_EQ(unnamed->GetParent(), Core().GetScene().GetDisplayRoot());
    EXPECT_EQ(item->GetParent(), Core().GetScene().GetDisplayRoot());

    // A pick-up without a destination leaves the unnamed object's alpha alone.
    Move("item", "", tp_Transporter::TRANS_INVENTORY_TO_CURSOR, "trg_end(P)");
    RunTo(0.2f);
    EXPECT_FLOAT_EQ(unnamed->GetAlpha(), 1.0f);
    RunTo(0.405f);
    EXPECT_EQ(Ended(), "NEP");
}

TEST_F(TransporterTest, PositionsAreTakenInTheHubSpaceAndAZeroScaleHubIsSurvived) {
    hub->SetPosition(100.0f, 0.0f);
    hub->SetScale(2.0f, 2.0f);
    Place("item", 300.0f, 100.0f);
    Place("slot", 300.0f, 100.0f);
    Move("item", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    ASSERT_EQ(transporter->GetTransfers().size(), 1u);
    EXPECT_FLOAT_EQ(transporter->GetTransfers()[0].start_x, 100.0f);
    EXPECT_FLOAT_EQ(transporter->GetTransfers()[0].start_y, 50.0f);
    EXPECT_FLOAT_EQ(transporter->GetTransfers()[0].duration, 0.7f);

    // A hub scaled to nothing has no inverse: world positions are used.
    hub->SetScale(0.0f, 0.0f);
    Place("item2", 300.0f, 100.0f);
    Move("item2", "slot", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    ASSERT_EQ(transporter->GetTransfers().size(), 2u);
    const tp_Transporter::Transfer& transfer = transporter->GetTransfers()[1];
    EXPECT_TRUE(std::isfinite(transfer.start_x));
    EXPECT_TRUE(std::isfinite(transfer.duration));
    RunTo(1.0f);
    EXPECT_TRUE(std::isfinite(Core().GetScene().FindObject("item2")->GetPosX()));
    EXPECT_TRUE(transporter->GetTransfers().empty());
}

} // namespace
