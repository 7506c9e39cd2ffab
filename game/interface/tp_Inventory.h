// tp_Inventory: the inventory widget (type 1, "widget_inventory", module
// "int_inventory"). It keeps the items the player collected in order of
// first collection with a count each, pages the row of visible slots, slides
// the panel out and back (autohide, or held out by the task header) and
// follows drags and hovers over its items (tp_ItemRowWidget). The module
// draws and animates; it reports every animation's end with an inventory
// event, which this widget waits for. Adds and removes made while the level
// loads (a saved game rebuilding the inventory) send their layout at the
// next update instead.
#pragma once

#include "game/interface/tp_ItemRowWidget.h"

class tp_Inventory : public tp_ItemRowWidget {
public:
    static constexpr const char* kModule = "int_inventory";

    tp_Inventory(const std::string& name, const std::string& module_override);

    bool IsOut() const { return out_; }
    bool IsHover() const { return hover_; }
    bool IsAutohide() const { return autohide_; }
    bool IsShownForHeader() const { return shown_for_header_; }
    int GetFlights() const { return flights_; }
    bool IsLayoutPending() const { return layout_pending_; }

    std::string GetType() const override { return "inventory"; }
    void Update(const tr_FrameInfo& frame) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;
    void OnPointerOver(bool inside) override { hover_ = inside; }

private:
    void Add(tr_MediatorDataTable& data);
    void Remove(const tr_MediatorDataTable& data);
    void ShowObject(const tr_MediatorDataTable& data);
    void FinishAdd(const tr_MediatorDataTable& data);
    void SetInputOf(const std::string& name);
    // A layout now, or at the next update while the level loads.
    [[nodiscard]] bool Relayout(bool loading);

    bool out_ = false;
    bool hover_ = false;
    bool autohide_ = true;
    bool shown_for_header_ = false;
    int flights_ = 0;
    bool layout_pending_ = false;
};
