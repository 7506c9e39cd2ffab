// tp_ItemRowWidget: the paged row of items that the inventory and the item
// panel share. It keeps the ordered items, the window of visible slots
// (first visible, slot count), the paging buttons' lock while a layout
// animates, the item the player drags out of the row and the one enlarged
// under the pointer, and tells the module about each through the command
// numbers its class gives. The row never owns the items' scene objects: the
// held, zoomed and listed objects are weak references, so a script may
// delete any of them at any time; the row then closes up at the next update.
//
// Every module call goes through CallModule: when it returns false the
// widget is gone and the caller returns at once.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <string>
#include <vector>

class tp_ItemRowWidget : public tp_InterfaceWidget {
public:
    // The module command numbers of a class.
    struct Commands {
        int layout;
        int drag_start;
        int drag_end;
        int zoom_in;
        int zoom_out;
        int held_removed;
        int removed;
    };

    struct Item {
        std::string name;
        // The inventory's add-end trigger, or the item panel's hint target.
        std::string detail;
        int count = 1;
        // The scene object when one was there as the item was listed; once
        // that object dies the item leaves the row.
        tr_ObjectRef object;
        bool had_object = false;
    };

    // -1 left of the window, 0..slot count - 1 visible, slot count right.
    int SlotPosition(int index) const;
    int IndexOf(const std::string& name) const;

    const std::vector<Item>& GetItems() const { return items_; }
    int GetFirstVisible() const { return first_visible_; }
    int GetSlotCount() const { return slot_count_; }
    bool IsMoving() const { return moving_; }
    tr_Object* GetHeldObject() const { return held_.Get(); }
    tr_Object* GetZoomedObject() const { return zoomed_.Get(); }

    // Pointer tracking on mouse moves while nothing is dragged; never takes
    // the event.
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override;

protected:
    tp_ItemRowWidget(const std::string& name, const Commands& commands);

    // A new item for name, linked to its scene object (made draggable).
    Item MakeItem(const std::string& name);
    // Moves the window so that item index is visible.
    void ScrollTo(int index);
    // moving := true and the layout command with "size" and "objects".
    [[nodiscard]] bool SendLayout();
    // The paging buttons: one slot left or right unless a layout animates.
    [[nodiscard]] bool PageLeft();
    [[nodiscard]] bool PageRight();
    // Removes the named item (nothing when unknown): a held object is let
    // go (transporter flight ended, held-removed command), the object goes
    // to the storage root, the window closes up and the module gets the
    // removed command with data. The caller sends the layout.
    [[nodiscard]] bool RemoveItem(const std::string& name, const tr_MediatorDataTable& data);
    // Drops every item, the held object and the paging.
    void ClearRow();
    // Lets go of held and zoomed objects that died and takes items whose
    // object died out of the row (with a layout); run first in every update.
    [[nodiscard]] bool DropDeadObjects();
    // The update's drag rules: a drag of a listed object starts a hold, the
    // end of the engine's drag ends it.
    [[nodiscard]] bool TrackDrag();
    // Called with whether the pointer is over the row before the zoom rules.
    virtual void OnPointerOver(bool /*inside*/) {}

    std::vector<Item> items_;
    int first_visible_ = 0;
    int slot_count_ = 1;
    bool moving_ = false;

private:
    void EraseAt(int index);
    [[nodiscard]] bool LetGoOfHeld();
    [[nodiscard]] bool TrackPointer(tr_Object* picked);

    Commands commands_;
    tr_ObjectRef held_;
    std::string held_name_;
    tr_ObjectRef zoomed_;
    std::string zoomed_name_;
};
