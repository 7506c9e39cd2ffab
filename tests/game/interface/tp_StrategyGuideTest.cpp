// The strategy guide: its document read from bytes (well formed, malformed,
// missing or huge), the page ring of next / previous from any number, and
// the pages and contents the widget sends its module.
#include "WidgetTestSupport.h"

#include "game/interface/tp_StrategyGuide.h"

#include <climits>

namespace {

const char kGuide[] =
    "<book><toc><h2>Contents</h2><ul><li>Hall</li><li>Lost</li><li>Garden</li></ul></toc>"
    "<guide><chapter><h2>Hall</h2>"
    "<page><ul><li>one</li><li>two</li><li>three</li></ul>"
    "<img src=\"hall.v2.png\" position=\"12\"/><img position=\"x\"/></page>"
    "<page><img src=\"door\" position=\"99999999999\"/></page></chapter>"
    "<chapter><h2>Extra</h2><page><ul><li>hidden</li></ul></page></chapter>"
    "<chapter><h2>Garden</h2><page><ul><li>rake</li></ul></page></chapter></guide></book>";

// "title|entry@page,...|chapter:text[image@position,...];..."
std::string Summary(const tp_GuideDocument& guide) {
    std::string out = guide.GetContentsTitle() + "|";
    for (const auto& entry : guide.GetEntries())
        out += entry.text + "@" + std::to_string(entry.first_page) + ",";
    out += "|";
    for (const auto& page : guide.GetPages()) {
        out += page.title + ":" + page.text + "[";
        for (const auto& image : page.images)
            out += image.name + "@" + std::to_string(image.position) + ",";
        out += "];";
    }
    return out;
}

TEST(GuideDocumentTest, ParsesWhatItCanAndNeverFails) {
    const struct {
        const char* name;
        std::string bytes;
        bool parsed;
        const char* summary;
    } rows[] = {
        {"a whole guide", kGuide, true,
         "Contents|Hall@0,Lost@-2,Garden@3,|Hall:one&nl&two&nl&three[hall.v2@12,@0,];"
         "Hall:[door@2147483647,];Extra:hidden[];Garden:rake[];"},
        {"any root name, no toc", "<x><guide><chapter><page/></chapter></guide></x>", true,
         "||:[];"},
        {"a toc without a list", "<x><toc><h2>T</h2></toc></x>", true, "T||"},
        {"not a guide", "<x/>", true, "||"},
        {"unclosed", "<x><toc><h2>T</h2>", false, "||"},
        {"not XML", std::string("\0\xff\x01<", 4), false, "||"},
        {"empty", "", false, "||"},
        {"nested too deep", std::string(5000, '<'), false, "||"},
        {"negative position",
         "<x><guide><chapter><page><img src=\"a.b\" position=\" -3z\"/>"
         "</page></chapter></guide></x>",
         true, "||:[a@-3,];"},
    };
    tp_GuideDocument guide;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(guide.Parse(row.bytes.data(), row.bytes.size(), "test"), row.parsed);
        EXPECT_EQ(Summary(guide), row.summary);
    }
    EXPECT_EQ(guide.FindChapter("Garden"), tp_GuideDocument::kNoPage);
    ASSERT_TRUE(guide.Parse(kGuide, sizeof(kGuide) - 1, "test"));
    EXPECT_EQ(guide.FindChapter("Garden"), 3);
    EXPECT_EQ(guide.FindChapter("Lost"), tp_GuideDocument::kNoPage);
}

TEST(GuideDocumentTest, ScreenshotsLieBesideTheDocument) {
    EXPECT_EQ(tp_GuideDocument::ScreensFolder("assets/guide/book"), "assets/guide/screens/");
    EXPECT_EQ(tp_GuideDocument::ScreensFolder("assets\\guide\\book"), "assets/guide/screens/");
    EXPECT_EQ(tp_GuideDocument::ScreensFolder("book"), "book/screens/");
}

TEST(GuideNavigationTest, NextAndPreviousRingThroughTheContents) {
    const struct {
        int page, count, next, previous;
    } rows[] = {
        {-1, 3, 0, 2},        {0, 3, 1, -1},   {2, 3, -1, 1},  {-2, 3, -1, -1},
        {-7, 3, -1, -1},      {3, 3, -1, 2},   {50, 3, -1, 2}, {INT_MAX, 3, -1, 2},
        {INT_MIN, 3, -1, -1}, {-1, 0, -1, -1}, {0, 0, -1, -1}, {-1, 1, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.page) + " of " + std::to_string(row.count));
        EXPECT_EQ(tp_StrategyGuide::NextPage(row.page, row.count), row.next);
        EXPECT_EQ(tp_StrategyGuide::PreviousPage(row.page, row.count), row.previous);
    }
    // Whatever number a show sets, one step lands on a page that shows.
    for (int count = 0; count < 4; ++count)
        for (int page = -6; page < count + 4; ++page)
            for (int step : {tp_StrategyGuide::NextPage(page, count),
                             tp_StrategyGuide::PreviousPage(page, count)})
                EXPECT_TRUE(step == -1 || (step >= 0 && step < count)) << page << " " << count;
}

class StrategyGuideTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        mkdir((folder.Path() + "/guide").c_str(), 0700);
        TempFolder::WriteText(folder.Path() + "/guide/book.xml", kGuide);
        const std::string code =
            "local n = tonumber(tr_params.param_0) local t = tr_params.table or {} "
            "local s = tostring(n) "
            "if t.toc then s = s .. ':' .. t.title for _, e in ipairs(t.toc) do "
            "s = s .. ',' .. e.text .. '=' .. e.page end "
            "elseif t.page then s = s .. '@' .. t.page .. ':' .. (t.title or '') .. ':' .. "
            "(t.text or '') for _, i in ipairs(t.images or {}) do s = s .. '+' .. i end end "
            "calls[#calls + 1] = s";
        TempFolder::WriteText(folder.Path() + "/int_guide.xml",
                              "<module name=\"int_guide\"><objs><obj name=\"container\">"
                              "<obj name=\"int_strategy_guide\" res=\"" +
                                  folder.Path() +
                                  "/guide/book\"/></obj></objs><trigs>"
                                  "<trig name=\"trg_int_strategy_guide_message\"><code>" +
                                  code + "</code></trig></trigs></module>");
        tr_MediatorDataTable data;
        data.SetInt("type", InterfaceWidget_StrategyGuide);
        data.SetString("module", folder.Path() + "/int_guide");
        Send(Command_Interface_WidgetAdd, data);
        guide = dynamic_cast<tp_StrategyGuide*>(hub->GetWidget(InterfaceWidget_StrategyGuide));
        ASSERT_NE(guide, nullptr);
        ASSERT_NE(guide->GetModuleObject(), nullptr);
    }
    void SendPage(int id, int page) {
        tr_MediatorDataTable data;
        data.SetInt("page", page);
        Send(id, data);
    }
    tp_StrategyGuide* guide = nullptr;
};

TEST_F(StrategyGuideTest, SendsPagesAndContentsAndRestsInStorageWhenClosed) {
    tr_Object* module = guide->GetModuleObject();
    tr_Object* storage = Core().GetScene().GetStorageRoot();
    EXPECT_EQ(module->GetParent(), storage);
    const std::string screens = folder.Path() + "/guide/screens/";
    SendPage(Command_StrategyGuide_Show, 0);
    EXPECT_EQ(module->GetParent(), guide);
    EXPECT_EQ(Calls(), "153@0:: 155@0:Hall:one&nl&two&nl&three+" + screens + "hall.v2+" + screens);
    const struct {
        int id, page;
        std::string calls;
    } rows[] = {
        {Event_StrategyGuide_BtnPrev_Click, 0, "156:Contents,Hall=0,Lost=-2,Garden=3"},
        {Event_StrategyGuide_BtnPrev_Click, 0, "155@3:Garden:rake"},
        {Event_StrategyGuide_BtnNext_Click, 0, "156:Contents,Hall=0,Lost=-2,Garden=3"},
        {Event_StrategyGuide_BtnChapter_Click, 2, "155@2:Extra:hidden"},
        {Event_StrategyGuide_BtnChapter_Click, -2, "155@-2::"},
        {Event_StrategyGuide_BtnNext_Click, 0, "156:Contents,Hall=0,Lost=-2,Garden=3"},
        {Event_StrategyGuide_BtnChapter_Click, 40, ""},
        {Event_StrategyGuide_BtnPrev_Click, 0, "155@3:Garden:rake"},
        {Event_StrategyGuide_BtnChapter_Click, -40, ""},
        {Event_StrategyGuide_BtnNext_Click, 0, "156:Contents,Hall=0,Lost=-2,Garden=3"},
        {Event_StrategyGuide_BtnChapter_Click, 1, "155@1:Hall:+" + screens + "door"},
        {Event_StrategyGuide_BtnToc_Click, 0, "156:Contents,Hall=0,Lost=-2,Garden=3"},
        {Event_StrategyGuide_BtnClose_Click, 0, "154@0::"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.calls);
        SendPage(row.id, row.page);
        EXPECT_EQ(Calls(), row.calls);
    }
    SendEmpty(Event_StrategyGuide_HideEnd);
    EXPECT_EQ(module->GetParent(), storage);

    // The chapter of the current room, by its title.
    tr_MediatorDataTable data;
    data.SetString("chapter", "Garden");
    data.SetInt("page", -1);
    Send(Command_StrategyGuide_Show, data);
    EXPECT_EQ(Calls(), "153@-1:: 155@3:Garden:rake");
}

TEST_F(StrategyGuideTest, AMissingOrHugeDocumentLeavesAnEmptyGuide) {
    const std::string huge = folder.Path() + "/huge.xml";
    TempFolder::WriteText(huge, "<x>" + std::string(tp_GuideDocument::kMaxBytes, ' ') + "</x>");
    tp_GuideDocument document;
    log.lines.clear();
    EXPECT_FALSE(document.Load(huge));
    EXPECT_FALSE(document.Load(folder.Path() + "/absent.xml"));
    EXPECT_EQ(log.CountStartingWith("Warning: guide document"), 2);
    EXPECT_EQ(Summary(document), "||");
}

} // namespace
