// tp_ClickClosePanel: the two text panels that any click closes, the caption
// strip (type 16, "widget_bbt", module "int_blackbartext") and the message
// box (type 14, "widget_dialog", module "int_dialog"). Show and hide go to
// the module; from the module's show-end event until the next hide the panel
// is fully shown, and then a mouse-down anywhere sends the panel's own hide
// command, the path a script's hide takes. The message box keeps a click on
// itself from reaching anything else; the caption strip lets every click
// through. Rows are static data; the widget points at its row.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

struct tp_ClickClosePanelRow {
    int type;
    const char* module;
    const char* type_name;
    int show, hide, show_end;
    bool keeps_own_clicks;
    bool refresh_runs_set;
};

class tp_ClickClosePanel : public tp_InterfaceWidget {
public:
    static const tp_ClickClosePanelRow& BlackBarTextRow();
    static const tp_ClickClosePanelRow& DialogRow();

    tp_ClickClosePanel(const std::string& name, const std::string& module_override,
                       const tp_ClickClosePanelRow& row);

    bool IsFullyShown() const { return fully_shown_; }

    std::string GetType() const override { return row_.type_name; }
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    const tp_ClickClosePanelRow& row_;
    bool fully_shown_ = false;
};
