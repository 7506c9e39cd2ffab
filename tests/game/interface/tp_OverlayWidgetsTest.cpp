// The sub-room frame following the sub-room's transform, and the overlays
// (pause, pop-up) that keep running while the game is paused.
#include "WidgetTestSupport.h"

#include "game/interface/tp_ForwardingWidget.h"
#include "game/interface/tp_FrameSubroom.h"

namespace {

class OverlayWidgetsTest : public WidgetFixture {
protected:
    void SetUp() override { Begin(); }
};

TEST_F(OverlayWidgetsTest, TheFrameTakesTheTransformAndClicksOnlyWhenOpaque) {
    auto* frame =
        AddWithStandIn<tp_FrameSubroom>(InterfaceWidget_FrameSubroom, "int_frame_subroom");
    ASSERT_NE(frame, nullptr);
    tr_Object* module = frame->GetModuleObject();
    ASSERT_NE(module, nullptr);
    const struct {
        float alpha;
        bool visible, input;
    } rows[] = {{1.0f, true, true},
                {0.5f, true, false},
                {0.0f, false, false},
                {0.999f, true, false},
                {1.0f, true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.alpha);
        tr_MediatorDataTable data;
        data.SetFloat("pos_x", 10.0f + row.alpha);
        data.SetFloat("pos_y", -4.0f);
        data.SetFloat("scale", 2.0f * row.alpha);
        data.SetFloat("alpha", row.alpha);
        Send(SubRoomTransform, data);
        EXPECT_FLOAT_EQ(module->GetPosX(), 10.0f + row.alpha);
        EXPECT_FLOAT_EQ(module->GetPosY(), -4.0f);
        EXPECT_FLOAT_EQ(module->GetScaleX(), 2.0f * row.alpha);
        EXPECT_FLOAT_EQ(module->GetScaleY(), 2.0f * row.alpha);
        EXPECT_FLOAT_EQ(module->GetAlpha(), row.alpha);
        EXPECT_EQ(module->IsVisible(), row.visible);
        EXPECT_EQ(module->IsInputEnabled(), row.input);
    }
    SendNamed(Command_FrameSubroom_Show, "f");
    EXPECT_EQ(Calls(), "96:f");
    RecordTrigger(tp_FrameSubroom::kClickTrigger);
    SendEmpty(Event_FrameSubroom_BtnClose_Click);
    EXPECT_EQ(Fired(), "trg_int_frame_subroom_click ");
}

TEST_F(OverlayWidgetsTest, PauseAndPopupRunWhileTheGameIsPaused) {
    const struct {
        int type;
        const char* module;
        bool runs_when_paused;
    } rows[] = {
        {InterfaceWidget_Pause, "int_pause", true},
        {InterfaceWidget_Popup, "int_popup", true},
        {InterfaceWidget_Effects, "int_effects", false},
        {InterfaceWidget_FrameSubroom, "int_frame_subroom", false},
    };
    for (const auto& row : rows)
        ASSERT_NE(AddWithStandIn<tp_InterfaceWidget>(row.type, row.module), nullptr);
    tr_MediatorDataTable pause;
    pause.SetInt("pause", 1);
    Send(LevelPause, pause);
    for (const auto& row : rows)
        EXPECT_EQ(hub->GetWidget(row.type)->IsActive(), row.runs_when_paused) << row.module;
    SendEmpty(Command_Pause_Show);
    SendEmpty(Command_Popup_Show);
    EXPECT_EQ(Calls(), "149 99");
}

} // namespace
