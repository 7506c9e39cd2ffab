// tp_CustomWidget: a widget defined by a script (type InterfaceWidget_Custom
// or above). It loads the module file the script names and, on every message
// it is subscribed to, queues the trigger the script stored for that number,
// or else runs its module's message trigger at once. Created by the hub's
// AddCustomWidget and owned, like every widget, by the hub's subtree.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <map>
#include <string>

class tp_CustomWidget : public tp_InterfaceWidget {
public:
    // name is the widget's object name ("widget_" + the script's name);
    // module_path the module file (no extension); module_object_name the
    // module's root object.
    tp_CustomWidget(const std::string& name, const std::string& module_path,
                    const std::string& module_object_name);

    // Stores msg -> trigger when msg has no trigger yet and trigger is not
    // empty; subscribes to msg in every case.
    void SubscribeMessage(int msg, const std::string& trigger);

    const std::string& GetModulePath() const { return module_path_; }
    const std::map<int, std::string>& GetSubscriptions() const { return subscriptions_; }

    std::string GetType() const override { return "custom_widget"; }
    void Refresh(bool recursive) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    std::string module_path_;
    std::map<int, std::string> subscriptions_;
};
