// tp_Messages: the game's mediator message numbers, kept in one list that
// serves both native code (the tp_Message enumerators) and the script globals
// (tp_GetScriptMessages, registered as Lua numbers by tp_InterfaceScriptGlobals).
// Content and saved scripts send these numbers, so a number never changes.
// The numbers of the engine's own messages (below 5) live with the engine.
#pragma once

#include <cstddef>

// Messages every script sees as a global of the same name.
#define TP_SCRIPT_MESSAGES(X)                                                                      \
    X(Event_Level_CheatKeyPressed, 17)                                                             \
    X(Event_Level_CheaterSaveScreenshot, 18)                                                       \
    X(Command_Interface_WidgetAdd, 19)                                                             \
    X(Command_Interface_SubscribeCustomWidget, 20)                                                 \
    X(Command_Interface_WidgetDelete, 21)                                                          \
    X(Command_Interface_WidgetSetInput, 22)                                                        \
    X(Command_Interface_WidgetSetVisible, 23)                                                      \
    X(Command_Interface_SetVisible, 24)                                                            \
    X(Command_Interface_SetInput, 25)                                                              \
    X(Command_Interface_UpdateGameMode, 26)                                                        \
    X(Command_Window_Show, 30)                                                                     \
    X(Command_Window_Close, 31)                                                                    \
    X(Event_Window_CloseEnd, 32)                                                                   \
    X(Event_BtnMenu_Click, 33)                                                                     \
    X(Event_BtnGuide_Click, 34)                                                                    \
    X(Event_BtnMap_Click, 35)                                                                      \
    X(Command_BtnHint_Reload, 36)                                                                  \
    X(Command_BtnHint_Show, 37)                                                                    \
    X(Command_BtnHint_Hide, 38)                                                                    \
    X(Event_BtnHint_Click, 39)                                                                     \
    X(Event_BtnHint_ReloadEnd, 40)                                                                 \
    X(Command_BtnSkip_Show, 41)                                                                    \
    X(Command_BtnSkip_Hide, 42)                                                                    \
    X(Command_BtnSkip_Reload, 43)                                                                  \
    X(Event_BtnSkip_Click, 44)                                                                     \
    X(Event_BtnSkip_ReloadEnd, 45)                                                                 \
    X(Command_BtnInfo_Show, 46)                                                                    \
    X(Command_BtnInfo_Hide, 47)                                                                    \
    X(Event_BtnInfo_Click, 48)                                                                     \
    X(Command_BtnReset_Show, 49)                                                                   \
    X(Command_BtnReset_Hide, 50)                                                                   \
    X(Event_BtnReset_Click, 51)                                                                    \
    X(Command_TaskPanel_Show, 52)                                                                  \
    X(Command_TaskPanel_Hide, 53)                                                                  \
    X(Command_TaskPanel_CompleteTask, 54)                                                          \
    X(Command_TaskPanel_SetTaskMark, 55)                                                           \
    X(Command_TaskPanel_ShowHoHint, 56)                                                            \
    X(Command_TaskPanel_IncreaseZ, 57)                                                             \
    X(Command_TaskPanel_DecreaseZ, 58)                                                             \
    X(Command_TaskPanel_ShowForTaskHeader, 59)                                                     \
    X(Command_TaskPanel_HideForTaskHeader, 60)                                                     \
    X(Event_TaskPanel_CompleteTaskEnd, 61)                                                         \
    X(Command_TaskHeader_Show, 62)                                                                 \
    X(Command_TaskHeader_Hide, 63)                                                                 \
    X(Event_TaskHeader_BtnTask_Click, 64)                                                          \
    X(Event_TaskHeader_BtnInv_Click, 65)                                                           \
    X(Event_TaskHeader_HideEnd, 66)                                                                \
    X(Command_Inventory_Show, 67)                                                                  \
    X(Command_Inventory_Hide, 68)                                                                  \
    X(Command_Inventory_AddObject, 69)                                                             \
    X(Command_Inventory_DeleteObject, 70)                                                          \
    X(Command_Inventory_MoveObjects, 71)                                                           \
    X(Command_Inventory_FlyToCursor, 72)                                                           \
    X(Command_Inventory_FlyToInventory, 73)                                                        \
    X(Command_Inventory_ZoomIn, 74)                                                                \
    X(Command_Inventory_ZoomOut, 75)                                                               \
    X(Command_Inventory_StopDrag, 76)                                                              \
    X(Command_Inventory_SetAutohide, 77)                                                           \
    X(Command_Inventory_ShowForTaskHeader, 78)                                                     \
    X(Command_Inventory_HideForTaskHeader, 79)                                                     \
    X(Command_Inventory_IncreaseZ, 80)                                                             \
    X(Command_Inventory_DecreaseZ, 81)                                                             \
    X(Command_Inventory_ShowObject, 82)                                                            \
    X(Event_Inventory_LeftBtn_Click, 83)                                                           \
    X(Event_Inventory_RightBtn_Click, 84)                                                          \
    X(Event_Inventory_MoveEnd, 85)                                                                 \
    X(Event_Inventory_AddEnd, 86)                                                                  \
    X(Event_Inventory_FlyAnimationStart, 87)                                                       \
    X(Event_Inventory_FlyAnimationEnd, 88)                                                         \
    X(Event_Inventory_FlyToCursorEnd, 89)                                                          \
    X(Event_Inventory_FlyToInventoryEnd, 90)                                                       \
    X(Event_Inventory_HideForTaskHeaderEnd, 91)                                                    \
    X(Command_DialogHo_Show, 92)                                                                   \
    X(Command_DialogHo_Hide, 93)                                                                   \
    X(Event_DialogHo_BtnClose_Click, 94)                                                           \
    X(Command_Effect_ShowHoHint, 95)                                                               \
    X(Command_FrameSubroom_Show, 96)                                                               \
    X(Event_FrameSubroom_BtnClose_Click, 98)                                                       \
    X(Command_Popup_Show, 99)                                                                      \
    X(Command_Popup_Hide, 100)                                                                     \
    X(Command_BlackBarText_Show, 101)                                                              \
    X(Command_BlackBarText_Hide, 102)                                                              \
    X(Event_BlackBarText_ShowEnd, 103)                                                             \
    X(Command_Dialog_Show, 104)                                                                    \
    X(Command_Dialog_Hide, 105)                                                                    \
    X(Event_Dialog_ShowEnd, 106)                                                                   \
    X(Command_Tutorial_Show, 107)                                                                  \
    X(Command_Tutorial_Hide, 108)                                                                  \
    X(Event_Tutorial_ShowEnd, 109)                                                                 \
    X(Event_Tutorial_HideEnd, 110)                                                                 \
    X(Event_Tutorial_Btn_Click, 111)                                                               \
    X(Command_DialogVideo_Show, 112)                                                               \
    X(Command_DialogVideo_Hide, 113)                                                               \
    X(Command_DialogVideo_ShowSubtitle, 114)                                                       \
    X(Command_DialogVideo_HideSubtitle, 115)                                                       \
    X(Event_DialogVideo_BtnSkip_Click, 116)                                                        \
    X(Event_DialogVideo_HideEnd, 117)                                                              \
    X(Command_DialogStory_Show, 118)                                                               \
    X(Command_DialogStory_Hide, 119)                                                               \
    X(Event_DialogStory_BtnSkip_Click, 120)                                                        \
    X(Event_DialogStory_BtnContinue_Click, 121)                                                    \
    X(Event_DialogStory_HideEnd, 122)                                                              \
    X(Command_DialogCharacter_Show, 123)                                                           \
    X(Command_DialogCharacter_Hide, 124)                                                           \
    X(Event_DialogCharacter_BtnSkip_Click, 125)                                                    \
    X(Event_DialogCharacter_BtnContinue_Click, 126)                                                \
    X(Event_DialogCharacter_HideEnd, 127)                                                          \
    X(Command_Map_Show, 128)                                                                       \
    X(Command_Map_Hide, 129)                                                                       \
    X(Event_Map_BtnClose_Click, 130)                                                               \
    X(Event_Map_ShowEnd, 131)                                                                      \
    X(Event_Map_HideEnd, 132)                                                                      \
    X(Command_ItemPanel_Show, 133)                                                                 \
    X(Command_ItemPanel_Hide, 134)                                                                 \
    X(Command_ItemPanel_DeleteObject, 135)                                                         \
    X(Command_ItemPanel_MoveObjects, 136)                                                          \
    X(Command_ItemPanel_FlyToCursor, 137)                                                          \
    X(Command_ItemPanel_FlyToPanel, 138)                                                           \
    X(Command_ItemPanel_ZoomIn, 139)                                                               \
    X(Command_ItemPanel_ZoomOut, 140)                                                              \
    X(Command_ItemPanel_StopDrag, 141)                                                             \
    X(Command_ItemPanel_ShowHoHint, 142)                                                           \
    X(Command_ItemPanel_TryCompleteHo, 143)                                                        \
    X(Event_ItemPanel_LeftBtn_Click, 144)                                                          \
    X(Event_ItemPanel_RightBtn_Click, 145)                                                         \
    X(Event_ItemPanel_MoveEnd, 146)                                                                \
    X(Event_ItemPanel_FlyToCursorEnd, 147)                                                         \
    X(Event_ItemPanel_FlyToPanelEnd, 148)                                                          \
    X(Command_Pause_Show, 149)                                                                     \
    X(Command_Pause_Hide, 150)                                                                     \
    X(Command_Transporter_MoveObject, 151)                                                         \
    X(Command_StrategyGuide_Show, 153)                                                             \
    X(Command_StrategyGuide_Hide, 154)                                                             \
    X(Command_StrategyGuide_ShowPage, 155)                                                         \
    X(Command_StrategyGuide_ShowToc, 156)                                                          \
    X(Event_StrategyGuide_BtnToc_Click, 157)                                                       \
    X(Event_StrategyGuide_BtnChapter_Click, 158)                                                   \
    X(Event_StrategyGuide_BtnNext_Click, 159)                                                      \
    X(Event_StrategyGuide_BtnPrev_Click, 160)                                                      \
    X(Event_StrategyGuide_HideEnd, 161)                                                            \
    X(Event_StrategyGuide_BtnClose_Click, 162)                                                     \
    X(Message_CustomWidget, 165)

// Messages native code sends and receives that no script global names
// (scripts send them by number where they need them).
#define TP_NATIVE_MESSAGES(X)                                                                      \
    X(Event_Video_Subtitle, 1)                                                                     \
    X(AppSwitchLevel, 5)                                                                           \
    X(AppGetMatrix, 6)                                                                             \
    X(AppGetWidth, 7)                                                                              \
    X(AppIsForceFullscreen, 8)                                                                     \
    X(AppUpdateGameMode, 9)                                                                        \
    X(LevelSwitchRoom, 10)                                                                         \
    X(LevelPause, 11)                                                                              \
    X(LevelSetAutoSave, 12)                                                                        \
    X(LevelBlockSubRoomClose, 13)                                                                  \
    X(LevelShowBlur, 14)                                                                           \
    X(LevelGetCurrentRoom, 15)                                                                     \
    X(LevelIsLoading, 16)                                                                          \
    X(Command_Interface_Refresh, 27)                                                               \
    X(Command_InterfaceWidget_SetVisible, 28)                                                      \
    X(Command_Interface_QueryHo, 29)                                                               \
    X(SubRoomTransform, 97)                                                                        \
    X(Command_Transporter_Finish, 152)

#define TP_MESSAGE_ENUMERATOR(name, number) name = number,
enum tp_Message : int {
    TP_NATIVE_MESSAGES(TP_MESSAGE_ENUMERATOR) TP_SCRIPT_MESSAGES(TP_MESSAGE_ENUMERATOR)
};
#undef TP_MESSAGE_ENUMERATOR

struct tp_MessageName {
    const char* name;
    int number;
};

// The messages scripts see as globals, in ascending number order.
const tp_MessageName* tp_GetScriptMessages(size_t* count);
