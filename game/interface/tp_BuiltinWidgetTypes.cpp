#include "game/interface/tp_BuiltinWidgetTypes.h"

#include "game/interface/tp_Interface.h"

namespace {

constexpr uint32_t kFollowsAndPauses = TP_WIDGET_FOLLOWS_HUB_FADE | TP_WIDGET_PAUSES_WITH_GAME;
constexpr uint32_t kPauses = TP_WIDGET_PAUSES_WITH_GAME;

const tp_BuiltinWidgetType kTypes[] = {
    {InterfaceWidget_FrameSubroom, "widget_frame_subroom", "InterfaceWidget_FrameSubroom",
     kFollowsAndPauses},
    {InterfaceWidget_Inventory, "widget_inventory", "InterfaceWidget_Inventory", kFollowsAndPauses},
    {InterfaceWidget_TaskPanel, "widget_task_panel", "InterfaceWidget_TaskPanel",
     kFollowsAndPauses},
    {InterfaceWidget_TaskHeader, "widget_task_header", "InterfaceWidget_TaskHeader",
     kFollowsAndPauses},
    {InterfaceWidget_ItemPanel, "widget_item_panel", "InterfaceWidget_ItemPanel",
     kFollowsAndPauses},
    {InterfaceWidget_BtnHint, "widget_btn_hint", "InterfaceWidget_BtnHint", kFollowsAndPauses},
    {InterfaceWidget_BtnSkip, "widget_btn_skip", "InterfaceWidget_BtnSkip", kFollowsAndPauses},
    {InterfaceWidget_BtnInfo, "widget_btn_info", "InterfaceWidget_BtnInfo", kFollowsAndPauses},
    {InterfaceWidget_BtnReset, "widget_btn_reset", "InterfaceWidget_BtnReset", kFollowsAndPauses},
    {InterfaceWidget_BtnGuide, "widget_btn_guide", "InterfaceWidget_BtnGuide", kFollowsAndPauses},
    {InterfaceWidget_Map, "widget_map", "InterfaceWidget_Map", kFollowsAndPauses},
    {InterfaceWidget_BtnMap, "widget_btn_map", "InterfaceWidget_BtnMap", kFollowsAndPauses},
    {InterfaceWidget_BtnMenu, "widget_btn_menu", "InterfaceWidget_BtnMenu", kFollowsAndPauses},
    {InterfaceWidget_DialogHo, "widget_dialog_ho", "InterfaceWidget_DialogHo", kFollowsAndPauses},
    {InterfaceWidget_Dialog, "widget_dialog", "InterfaceWidget_Dialog", kFollowsAndPauses},
    {InterfaceWidget_Tutorial, "widget_tutorial", "InterfaceWidget_Tutorial", kFollowsAndPauses},
    {InterfaceWidget_BlackBarText, "widget_bbt", "InterfaceWidget_BlackBarText", kFollowsAndPauses},
    {InterfaceWidget_DialogVideo, "widget_dialog_video", "InterfaceWidget_DialogVideo", kPauses},
    {InterfaceWidget_DialogStory, "widget_dialog_story", "InterfaceWidget_DialogStory", kPauses},
    {InterfaceWidget_DialogCharacter, "widget_dialog_character", "InterfaceWidget_DialogCharacter",
     kPauses},
    {InterfaceWidget_Window, "widget_window", "InterfaceWidget_Window", 0},
    {InterfaceWidget_Popup, "widget_popup", "InterfaceWidget_Popup", 0},
    {InterfaceWidget_Effects, "widget_effects", "InterfaceWidget_Effects", kPauses},
    {InterfaceWidget_Pause, "widget_pause", "InterfaceWidget_Pause", 0},
    {InterfaceWidget_Top, "widget_top", "InterfaceWidget_Top", kFollowsAndPauses},
    {InterfaceWidget_Transporter, "widget_transporter", "InterfaceWidget_Transporter",
     kFollowsAndPauses},
    {InterfaceWidget_StrategyGuide, "widget_strategy_guide", "InterfaceWidget_StrategyGuide",
     kPauses},
};

} // namespace

const tp_BuiltinWidgetType* tp_GetBuiltinWidgetTypes(size_t* count) {
    if (count)
        *count = sizeof(kTypes) / sizeof(kTypes[0]);
    return kTypes;
}
