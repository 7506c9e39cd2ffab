#include "game/interface/tp_StrategyGuide.h"

#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetSupport.h"

tp_StrategyGuide::tp_StrategyGuide(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    // The module lays itself out once, while it still rests in storage.
    if (tr_Object* module = LoadClassModule(module_override, kModule, ModulePlacement::kParked)) {
        QueueModuleSet();
        const std::string res = module->GetRes();
        screens_folder_ = tp_GuideDocument::ScreensFolder(res);
        document_.Load(res + ".xml");
    }
    Subscribe(Command_StrategyGuide_Show);
    Subscribe(Command_StrategyGuide_Hide);
    Subscribe(Event_StrategyGuide_HideEnd);
    for (int id = Command_StrategyGuide_ShowPage; id <= Event_StrategyGuide_BtnPrev_Click; ++id)
        Subscribe(id);
    Subscribe(Event_StrategyGuide_BtnClose_Click);
}

int tp_StrategyGuide::NextPage(int page, int page_count) {
    if (page == kContents)
        return page_count > 0 ? 0 : kContents;
    if (page < 0 || page >= page_count - 1)
        return kContents;
    return page + 1;
}

int tp_StrategyGuide::PreviousPage(int page, int page_count) {
    if (page == kContents || page >= page_count)
        return page_count > 0 ? page_count - 1 : kContents;
    return page > 0 ? page - 1 : kContents;
}

void tp_StrategyGuide::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    const int count = document_.GetPageCount();
    switch (id) {
    case Command_StrategyGuide_Show:
        Show(data);
        break;
    case Event_StrategyGuide_BtnToc_Click:
        current_page_ = kContents;
        SendCurrentPage();
        break;
    case Event_StrategyGuide_BtnChapter_Click:
        tp_ReadInt(data, "page", current_page_);
        SendCurrentPage();
        break;
    case Event_StrategyGuide_BtnNext_Click:
        current_page_ = NextPage(current_page_, count);
        SendCurrentPage();
        break;
    case Event_StrategyGuide_BtnPrev_Click:
        current_page_ = PreviousPage(current_page_, count);
        SendCurrentPage();
        break;
    case Event_StrategyGuide_BtnClose_Click:
        ForwardToModule(Command_StrategyGuide_Hide, data);
        break;
    case Event_StrategyGuide_HideEnd:
        tp_ParkInStorage(GetModuleObject());
        break;
    default:
        break;
    }
}

void tp_StrategyGuide::Show(const tr_MediatorDataTable& data) {
    UnparkModule();
    if (!CallModule(Command_StrategyGuide_Show, data))
        return;
    // "chapter" (a chapter title, such as the one of the current room)
    // stands for the first page of that chapter when the guide has it.
    std::string chapter;
    const int first = tp_ReadOptionalString(data, "chapter", chapter)
                          ? document_.FindChapter(chapter)
                          : tp_GuideDocument::kNoPage;
    if (first != tp_GuideDocument::kNoPage)
        current_page_ = first;
    else
        tp_ReadInt(data, "page", current_page_);
    SendCurrentPage();
}

bool tp_StrategyGuide::SendCurrentPage() {
    const int page = current_page_;
    auto data = std::make_shared<tr_MediatorDataTable>();
    if (page == kContents) {
        data->SetString("title", document_.GetContentsTitle());
        tr_MediatorDataArray* toc = data->AddArray("toc");
        for (const tp_GuideDocument::Entry& entry : document_.GetEntries()) {
            tr_MediatorDataTable* row = toc->AddTable();
            row->SetInt("page", entry.first_page);
            row->SetString("text", entry.text);
        }
        return CallModuleWith(Command_StrategyGuide_ShowToc, std::move(data));
    }
    if (page == kEmptyPage) {
        data->SetInt("page", kEmptyPage);
        return CallModuleWith(Command_StrategyGuide_ShowPage, std::move(data));
    }
    if (page < 0 || page >= document_.GetPageCount())
        return true;
    const tp_GuideDocument::Page& shown = document_.GetPages()[static_cast<size_t>(page)];
    data->SetString("title", shown.title);
    data->SetInt("page", page);
    data->SetString("text", shown.text);
    tr_MediatorDataArray* images = data->AddArray("images");
    for (const tp_GuideDocument::Image& image : shown.images)
        images->AddString(screens_folder_ + image.name);
    return CallModuleWith(Command_StrategyGuide_ShowPage, std::move(data));
}
