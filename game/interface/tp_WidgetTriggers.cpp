#include "game/interface/tp_WidgetTriggers.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <memory>

namespace {

std::shared_ptr<tr_MediatorDataTable> CopyOf(const tr_MediatorDataTable* data) {
    return data ? std::make_shared<tr_MediatorDataTable>(*data) : nullptr;
}

} // namespace

bool tp_CallTriggerNow(const std::string& sender, const std::string& code,
                       const tr_MediatorDataTable* data) {
    if (code.empty())
        return false;
    return tr_EngineCore::Get()->GetTriggers().CallNow(sender, code, CopyOf(data));
}

bool tp_CallTriggerNowWith(const std::string& sender, const std::string& code,
                           std::shared_ptr<tr_MediatorDataTable> data) {
    if (code.empty())
        return false;
    return tr_EngineCore::Get()->GetTriggers().CallNow(sender, code, std::move(data));
}

bool tp_QueueTrigger(const std::string& sender, const std::string& code,
                     const tr_MediatorDataTable* data) {
    if (code.empty())
        return false;
    return tr_EngineCore::Get()->GetTriggers().QueueCall(sender, code, CopyOf(data));
}

std::string tp_ModuleTrigger(const std::string& module, const char* suffix) {
    return "trg_" + module + suffix;
}

std::string tp_ModuleMessageCall(const std::string& module, int id) {
    return "trg_" + module + "_message(" + std::to_string(id) + ")";
}
