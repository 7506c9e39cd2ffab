// tp_ForwardingWidget: one class for every widget type whose native side only
// hands its messages to its module. A row of the forwarding table names the
// type, the class default module, the messages the widget subscribes to (in
// that order) and whether a display change queues the module's "_set" again;
// the widget forwards each of those messages to its module's message trigger
// with the same number and data. A button row also names its click event,
// subscribed after them and never forwarded: it queues the row's click
// trigger call instead. A new simple type is one more row in
// tp_ForwardingWidget.cpp; tp_RegisterBuiltinWidgets plugs every row into the
// hub. Rows are static data; the widget keeps a pointer to its row.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <cstddef>
#include <string>

struct tp_ForwardingWidgetRow {
    int type;
    const char* module;
    const int* messages;
    size_t message_count;
    bool refresh_runs_set;
    int click_event = -1;
    const char* click_call = nullptr;
};

class tp_ForwardingWidget : public tp_InterfaceWidget {
public:
    // The rows in type order; *count receives their number.
    static const tp_ForwardingWidgetRow* GetRows(size_t* count);

    tp_ForwardingWidget(const std::string& name, const std::string& module_override,
                        const tp_ForwardingWidgetRow& row);

    const tp_ForwardingWidgetRow& GetRow() const { return row_; }
    std::string GetType() const override { return "forwarding_widget"; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    const tp_ForwardingWidgetRow& row_;
};
