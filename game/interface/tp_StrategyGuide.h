// tp_StrategyGuide: the in-game walkthrough (type 26,
// "widget_strategy_guide", module "int_strategy_guide"). The native side
// reads the guide document once, at creation (the module's "res" + ".xml"),
// and keeps the page navigation; the module draws the contents (command 156)
// or a page (155) from the data it is sent. The module rests under the
// storage root while the guide is closed and hangs under the widget from a
// show (153) until its hide animation ends (161).
//
// Page numbers: -1 is the contents, -2 the empty page, 0 and up the pages.
// Next and previous run through the pages and the contents in a ring; from
// any number that shows nothing (below -2 or past the last page) they land
// on the contents or the last page, never on another number that shows
// nothing.
#pragma once

#include "game/interface/tp_GuideDocument.h"
#include "game/interface/tp_InterfaceWidget.h"

class tp_StrategyGuide : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_strategy_guide";
    static constexpr int kContents = -1;
    static constexpr int kEmptyPage = tp_GuideDocument::kNoPage;

    tp_StrategyGuide(const std::string& name, const std::string& module_override);

    const tp_GuideDocument& GetDocument() const { return document_; }
    int GetCurrentPage() const { return current_page_; }
    std::string GetType() const override { return "strategy_guide"; }

    // The page after / before page, the contents counting as one more page.
    static int NextPage(int page, int page_count);
    static int PreviousPage(int page, int page_count);

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Show(const tr_MediatorDataTable& data);
    // Sends the current page to the module; false when the widget is gone.
    bool SendCurrentPage();

    tp_GuideDocument document_;
    std::string screens_folder_;
    int current_page_ = kContents;
};
