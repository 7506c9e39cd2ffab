// tp_ItemPanel: the row of tools of an item-panel hidden-object scene (type
// 4, "widget_item_panel", module "int_itempanel"). A show command gives the
// whole row at once, each item with the scene object its hint points at; the
// player drags items onto the scene and the scene script removes them. The
// row mechanics (paging, drags, zoom, objects deleted by script) are
// tp_ItemRowWidget's. The scene is won, once per row, when a script asks
// with Command_ItemPanel_TryCompleteHo and the row is empty, or by the cheat
// key 32 while items remain.
#pragma once

#include "game/interface/tp_ItemRowWidget.h"

class tp_ItemPanel : public tp_ItemRowWidget {
public:
    static constexpr const char* kModule = "int_itempanel";

    tp_ItemPanel(const std::string& name, const std::string& module_override);

    bool HasWon() const { return won_; }

    std::string GetType() const override { return "item_panel"; }
    void Update(const tr_FrameInfo& frame) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Show(const tr_MediatorDataTable& data);
    void ShowHint();
    void Win();

    bool won_ = false;
};
