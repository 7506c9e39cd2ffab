#include "game/interface/tp_BuiltinWidgets.h"

#include "game/interface/tp_ClickClosePanel.h"
#include "game/interface/tp_DialogHo.h"
#include "game/interface/tp_ForwardingWidget.h"
#include "game/interface/tp_FrameSubroom.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_Inventory.h"
#include "game/interface/tp_ItemPanel.h"
#include "game/interface/tp_Map.h"
#include "game/interface/tp_PresenterDialog.h"
#include "game/interface/tp_RechargeButton.h"
#include "game/interface/tp_StrategyGuide.h"
#include "game/interface/tp_TaskHeader.h"
#include "game/interface/tp_TaskPanel.h"
#include "game/interface/tp_Tutorial.h"
#include "game/interface/tp_Window.h"

#include <initializer_list>

namespace {

// The creator of a class built as Class(object name, module override, row),
// for each of the rows.
template <class Class, class Row> void RegisterRows(std::initializer_list<const Row*> rows) {
    for (const Row* row : rows)
        tp_Interface::SetBuiltinCreator(
            row->type,
            [row](const tp_WidgetTypeRecord& record, const std::string& module) -> tr_Object* {
                return new Class(record.name, module, *row);
            });
}

// The creator of a class built as Class(object name, module override).
template <class Class> void Register(int type) {
    tp_Interface::SetBuiltinCreator(
        type, [](const tp_WidgetTypeRecord& record, const std::string& module) -> tr_Object* {
            return new Class(record.name, module);
        });
}

} // namespace

void tp_RegisterBuiltinWidgets() {
    Register<tp_Inventory>(InterfaceWidget_Inventory);
    Register<tp_TaskPanel>(InterfaceWidget_TaskPanel);
    Register<tp_TaskHeader>(InterfaceWidget_TaskHeader);
    Register<tp_ItemPanel>(InterfaceWidget_ItemPanel);
    Register<tp_DialogHo>(InterfaceWidget_DialogHo);
    Register<tp_Tutorial>(InterfaceWidget_Tutorial);
    RegisterRows<tp_RechargeButton, tp_RechargeButtonRow>(
        {&tp_RechargeButton::HintRow(), &tp_RechargeButton::SkipRow()});
    RegisterRows<tp_ClickClosePanel, tp_ClickClosePanelRow>(
        {&tp_ClickClosePanel::BlackBarTextRow(), &tp_ClickClosePanel::DialogRow()});
    RegisterRows<tp_PresenterDialog, tp_PresenterDialogRow>({&tp_PresenterDialog::CharacterRow(),
                                                             &tp_PresenterDialog::StoryRow(),
                                                             &tp_PresenterDialog::VideoRow()});
    Register<tp_Map>(InterfaceWidget_Map);
    Register<tp_FrameSubroom>(InterfaceWidget_FrameSubroom);
    Register<tp_Window>(InterfaceWidget_Window);
    Register<tp_StrategyGuide>(InterfaceWidget_StrategyGuide);
    size_t count = 0;
    const tp_ForwardingWidgetRow* rows = tp_ForwardingWidget::GetRows(&count);
    for (size_t i = 0; i < count; ++i) {
        const tp_ForwardingWidgetRow& row = rows[i];
        tp_Interface::SetBuiltinCreator(
            row.type,
            [&row](const tp_WidgetTypeRecord& record, const std::string& module) -> tr_Object* {
                return new tp_ForwardingWidget(record.name, module, row);
            });
    }
}
