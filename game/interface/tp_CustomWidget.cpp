#include "game/interface/tp_CustomWidget.h"

#include "game/interface/tp_WidgetTriggers.h"

tp_CustomWidget::tp_CustomWidget(const std::string& name, const std::string& module_path,
                                 const std::string& module_object_name)
    : tp_InterfaceWidget(name), module_path_(module_path) {
    LoadModule(module_path, module_object_name);
}

void tp_CustomWidget::SubscribeMessage(int msg, const std::string& trigger) {
    if (!trigger.empty() && subscriptions_.find(msg) == subscriptions_.end())
        subscriptions_[msg] = trigger;
    Subscribe(msg);
}

void tp_CustomWidget::Refresh(bool recursive) {
    tp_InterfaceWidget::Refresh(recursive);
    QueueModuleSet();
}

void tp_CustomWidget::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    auto found = subscriptions_.find(id);
    if (found != subscriptions_.end())
        tp_QueueTrigger(GetName(), found->second, &data);
    else
        ForwardToModule(id, data);
}
