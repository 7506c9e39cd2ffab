// tp_Window: the frame that stacks content windows (type 20,
// "widget_window", module "int_window"): menus, option screens, confirm
// layers. A content window is any scene object found by name (its module is
// loaded when it is not there yet); showing it attaches it under the frame
// module above the last content shown, runs its trigger at once and tells the
// frame module. When the frame module reports a content window closed
// (message 32) the content goes back to "interface_hub", where it rests until
// it is shown again: the window never owns its contents for longer than they
// are shown.
//
// The window is no fading widget: it ignores the hub's SetVisible broadcast
// and keeps its alpha, but it shares the widget base for its module and for
// surviving a script that deletes it while it handles a message.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

class tp_Window : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_window";

    tp_Window(const std::string& name, const std::string& module_override);

    std::string GetType() const override { return "window"; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void ShowContent(const tr_MediatorDataTable& data);
    void ReturnContent(const tr_MediatorDataTable& data);
    // Where closed contents rest: "interface_hub" (the storage root when no
    // hub lives).
    static tr_Object* ContentStore();
    // Whether object may hang under the frame module: not reserved, not the
    // store of closed contents and parked modules, not the frame module
    // itself, not one of its ancestors (that would cut the frame, the window
    // or the hub out of the scene).
    bool CanHold(const tr_Object* object) const;
};
