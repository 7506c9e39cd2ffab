// The profile manager on a private user folder with a live Lua state: the
// list operations and their files, saved games through tp_global, and the
// handling of damaged or hostile files.
#include "tests/engine/script/api/ScriptApiFixture.h"
#include "tests/game/app/AppTestSupport.h"

#include "engine/core/tr_Random.h"
#include "game/app/tp_GameScriptSaveData.h"
#include "game/app/tp_ProfileManager.h"
#include "game/app/tp_SaveGameFile.h"

#include <tinyxml2.h>

#include <iterator>
#include <memory>

class ProfileManagerTest : public ScriptApiTest {
protected:
    void SetUp() override {
        ScriptApiTest::SetUp();
        folder = std::make_unique<TempUserFolder>();
        Run("tp_global = {}");
    }
    void TearDown() override {
        manager.reset();
        folder.reset();
        ScriptApiTest::TearDown();
    }
    tp_ProfileManager& Make() {
        manager.reset();
        manager = std::make_unique<tp_ProfileManager>();
        return *manager;
    }
    std::string File(const std::string& name) const {
        return TempUserFolder::Read(folder->UserFile(name));
    }
    bool Exists(const std::string& name) const {
        return std::ifstream(folder->UserFile(name)).good();
    }
    void WriteFile(const std::string& name, const std::string& text) {
        TempUserFolder::Write(folder->UserFile(name), text);
    }
    bool Logged(const std::string& part) const {
        for (const std::string& line : log.lines)
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    }

    std::unique_ptr<TempUserFolder> folder;
    std::unique_ptr<tp_ProfileManager> manager;
};

TEST_F(ProfileManagerTest, FreshInstallationMakesTheListAndTheFirstSave) {
    tp_ProfileManager& profiles = Make();
    EXPECT_EQ(&tp_ProfileSeam::Get(), &profiles);
    EXPECT_EQ(profiles.CurrentName(), "tp_noprofiles");
    EXPECT_TRUE(profiles.Add("Ann"));
    EXPECT_FALSE(profiles.Add("Ann"));
    EXPECT_TRUE(profiles.Add("ann"));
    EXPECT_FALSE(Exists("profile_list.xml")); // adding writes nothing
    EXPECT_EQ(profiles.GetCurrent(), -1);
    profiles.SetCurrent("Nobody");
    EXPECT_EQ(profiles.GetCurrent(), -1);
    profiles.SetCurrent("Ann");
    profiles.SaveGameData();
    EXPECT_EQ(File("profile_list.xml"), "<profiles current=\"0\">\n"
                                        "    <profile id=\"p_000000\" name=\"QW5u\"/>\n"
                                        "    <profile id=\"p_000001\" name=\"YW5u\"/>\n"
                                        "</profiles>\n");
    EXPECT_EQ(File("p_000000.xml"),
              tp_SaveGameFile::Sign("<profile><game_data><data></data></game_data></profile>"));
    EXPECT_EQ(Make().CurrentName(), "Ann");
    const tp_ProfileSeam* installed = &tp_ProfileSeam::Get();
    EXPECT_EQ(installed, manager.get());
    manager.reset();
    EXPECT_NE(&tp_ProfileSeam::Get(), installed);
}

TEST_F(ProfileManagerTest, IdsGrowFromTheLargestAndTheCurrentIndexFollowsItsProfile) {
    tp_ProfileManager& profiles = Make();
    for (const char* name : {"A", "B", "C", "D"})
        profiles.Add(name);
    profiles.SetCurrent("C");
    profiles.SaveGameData();
    ASSERT_TRUE(Exists("p_000002.xml"));
    profiles.Delete("B"); // before the current one
    EXPECT_EQ(profiles.CurrentName(), "C");
    EXPECT_EQ(Make().CurrentName(), "C"); // as saved by Delete
    manager->Add("E");
    EXPECT_EQ(manager->GetProfiles().back().id, "p_000004");
    manager->Delete("C"); // the current one: nobody, never somebody else
    EXPECT_EQ(manager->GetCurrent(), -1);
    EXPECT_FALSE(Exists("p_000002.xml"));
    manager->Delete("Nobody");
    EXPECT_EQ(manager->GetProfiles().size(), 3u);
    EXPECT_EQ(manager->NameOf(7), "");
    EXPECT_EQ(manager->NameOf(-5), "");
}

TEST_F(ProfileManagerTest, DamagedListIsMovedAsideAndNoSaveGameSuffers) {
    Make().Add("Ann");
    manager->SetCurrent("Ann");
    Run("tp_global.room = 'garden'");
    manager->SaveGameData();
    const std::string save = File("p_000000.xml");
    const std::string list = File("profile_list.xml");
    WriteFile("profile_list.xml", list.substr(0, list.size() - 14));

    tp_ProfileManager& profiles = Make();
    EXPECT_EQ(profiles.CurrentName(), "tp_error");
    EXPECT_TRUE(Logged("profile_list.xml could not be read"));
    EXPECT_EQ(File("profile_list.xml.bad"), list.substr(0, list.size() - 14));
    profiles.SaveGameData();
    EXPECT_EQ(File("profile_list.xml.bad"), list.substr(0, list.size() - 14));
    EXPECT_EQ(File("p_000000.xml"), save);
    EXPECT_EQ(Make().CurrentName(), "tp_error"); // the empty list says what happened
}

TEST_F(ProfileManagerTest, TamperedIdsNeverNameFiles) {
    WriteFile("victim.xml", "keep");
    WriteFile("profile_list.xml", "<profiles current=\"0\">"
                                  "<profile id=\"../App Test/victim\" name=\"RXZl\"/></profiles>");
    tp_ProfileManager& profiles = Make();
    EXPECT_EQ(profiles.CurrentName(), "Eve");
    profiles.SaveGameData();
    EXPECT_TRUE(Logged("cannot name a file"));
    EXPECT_FALSE(profiles.LoadGameData());
    profiles.Delete("Eve");
    EXPECT_EQ(File("victim.xml"), "keep");
    EXPECT_TRUE(profiles.Add("Ann"));
    EXPECT_EQ(profiles.GetProfiles().back().id, "p_000000");
}

TEST_F(ProfileManagerTest, GameDataRoundTripsThroughTheFile) {
    struct Case {
        const char* value;   // stored under tp_global.x
        const char* compare; // expression true after the load
    };
    const Case cases[] = {
        {"{[1]='a', x=true, y=2.5, z=''}", "x[1]=='a' and x.x==true and x.y==2.5 and x.z==''"},
        {"{['2nd_floor']=1, [2]=2}", "x['2nd_floor']==1 and x[2]==2"},
        {"{['a key']=1, ['<&\">']=2, ['']=3, ['5']=4}",
         "x['a key']==1 and x['<&\">']==2 and x['']==3 and x['5']==4 and x[5]==nil"},
        {"{[1.5]=1, [2]=2}", "x[1.5]==1 and x[2]==2"},
        {"1234567.125", "x==1234567.125"},
        {"1/3", "x==1/3"},
        {"'line\\r\\nnext\\ttab\\1'", "x=='line\\r\\nnext\\ttab\\1'"},
        {"{{{deep=false}}}", "x[1][1].deep==false"},
        {"'\\195\\169\\255'", "x=='\\195\\169\\255'"},
    };
    tp_ProfileManager& profiles = Make();
    profiles.Add("Ann");
    profiles.SetCurrent("Ann");
    for (const Case& c : cases) {
        Run(std::string("tp_global = {x = ") + c.value + "}");
        profiles.SaveGameData();
        Run("tp_global = {}");
        ASSERT_TRUE(profiles.LoadGameData()) << c.value;
        EXPECT_EQ(Eval(std::string("(function(x) return ") + c.compare + " end)(tp_global.x)"),
                  "true")
            << c.value;
    }
    Run("tp_global = {[1]='a', x=true, y=2.5, z=''}");
    profiles.SaveGameData();
    EXPECT_NE(File("p_000000.xml").find("<s_1 v=\"a\"/>"), std::string::npos);
    EXPECT_NE(File("p_000000.xml").find("<s_z v=\" \"/>"), std::string::npos);
}

TEST_F(ProfileManagerTest, SameDataSavesToTheSameBytesWhateverTheFillOrder) {
    // Filled key by key, emptied and refilled, or loaded back from its own
    // save: every way must write the entries in one order.
    Run("tp_global = {} for i = 1, 40 do tp_global['k' .. i] = i end "
        "for i = 1, 40 do tp_global['k' .. i] = nil end "
        "tp_global.room = 'garden' tp_global[3] = true tp_global.has_key = true "
        "tp_global.items = {lamp = 1, key = 2} tp_global[1] = 'a' tp_global.clock_open = true");
    const std::string filled = tp_GameScriptSaveData::SaveGlobal(L);
    Run("tp_global = {clock_open = true, [1] = 'a', items = {key = 2, lamp = 1}, "
        "has_key = true, [3] = true, room = 'garden'}");
    EXPECT_EQ(tp_GameScriptSaveData::SaveGlobal(L), filled);
    // Numbered keys first, ascending, then the others by their text.
    const char* order[] = {"<s_1 ",     "<b_3 ",   "<b_clock_open ", "<b_has_key ",
                           "<t_items>", "<n_key ", "<n_lamp ",       "<s_room "};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(filled.find(order[i - 1]), filled.find(order[i])) << order[i];
    EXPECT_NE(filled.find(order[std::size(order) - 1]), std::string::npos);
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(filled.c_str()), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* data =
        document.RootElement()->FirstChildElement("game_data")->FirstChildElement("data");
    ASSERT_NE(data, nullptr);
    Run("tp_global = {}");
    tp_GameScriptSaveData::LoadGlobal(L, *data);
    EXPECT_EQ(tp_GameScriptSaveData::SaveGlobal(L), filled);
}

TEST_F(ProfileManagerTest, LoadingMergesIntoTpGlobal) {
    tp_ProfileManager& profiles = Make();
    profiles.Add("Ann");
    EXPECT_FALSE(profiles.LoadGameData()); // no profile yet
    profiles.SetCurrent("Ann");
    EXPECT_FALSE(profiles.LoadGameData()); // no file yet
    Run("tp_global = {room='garden', items={key=true}}");
    profiles.SaveGameData();
    Run("tp_global = {music=1, items={lamp=true}}");
    ASSERT_TRUE(profiles.LoadGameData());
    EXPECT_EQ(Eval("tp_global.room .. tp_global.music"), "garden1");
    EXPECT_EQ(Eval("tostring(tp_global.items.key) .. tostring(tp_global.items.lamp)"), "truenil");
    Run("tp_global = nil");
    ASSERT_TRUE(profiles.LoadGameData());
    EXPECT_EQ(Eval("tp_global.room"), "garden");
}

TEST_F(ProfileManagerTest, SelfContainingAndDeepTablesStopWithALogLine) {
    tp_ProfileManager& profiles = Make();
    profiles.Add("Ann");
    profiles.SetCurrent("Ann");
    Run("local t = {n=1}; t.self = t; t.list = {t}; tp_global = {t=t, shared={t, t}}");
    profiles.SaveGameData();
    EXPECT_TRUE(Logged("contains itself"));
    Run("local d = {} tp_global = {d=d} for i = 1, 100 do d.next = {} d = d.next end");
    profiles.SaveGameData();
    EXPECT_TRUE(Logged("nest deeper than 64"));
    Run("tp_global = {}");
    ASSERT_TRUE(profiles.LoadGameData());
    EXPECT_EQ(Eval("(function() local n, d = 0, tp_global.d while d do n = n + 1 d = d.next end "
                   "return n end)()"),
              "63");
}

TEST_F(ProfileManagerTest, DamagedSaveIsMovedAsideAndTpGlobalKept) {
    tp_ProfileManager& profiles = Make();
    profiles.Add("Ann");
    profiles.Add("Bob");
    profiles.SetCurrent("Bob");
    Run("tp_global = {room='hall'}");
    profiles.SaveGameData();
    const std::string bob = File("p_000001.xml");
    profiles.SetCurrent("Ann");
    Run("tp_global = {room='garden'}");
    profiles.SaveGameData();
    std::string text = File("p_000000.xml");
    text[text.find("garden")] = 'G';
    WriteFile("p_000000.xml", text);

    Run("tp_global = {room='start'}");
    EXPECT_FALSE(profiles.LoadGameData());
    EXPECT_TRUE(Logged("Error: while loading profile data!"));
    EXPECT_EQ(Eval("tp_global.room"), "start");
    EXPECT_EQ(File("p_000000.xml.bad"), text);
    EXPECT_FALSE(Exists("p_000000.xml"));
    EXPECT_EQ(File("p_000001.xml"), bob);
    profiles.SaveGameData(); // a fresh file; the damaged one stays aside
    EXPECT_EQ(File("p_000000.xml.bad"), text);
}

TEST_F(ProfileManagerTest, CheatProfileIsWobblerInAnyCase) {
    tp_ProfileManager& profiles = Make();
    for (const char* name : {"wobbler", "WoBbLeR", "wobblers", "Ann"})
        profiles.Add(name);
    const bool expected[] = {true, true, false, false};
    for (int i = 0; i < 4; ++i) {
        profiles.SetCurrent(profiles.NameOf(i));
        EXPECT_EQ(tp_ProfileSeam::Get().IsCheatProfile(), expected[i]) << i;
    }
}

TEST_F(ProfileManagerTest, SignedGarbageMergesWithoutHarm) {
    // Bytes that pass the checksum (as a hand edit signed with savecheck
    // would) still reach the converter: odd names, keys and nesting.
    const std::string document =
        "<profile><game_data><data><t_a><n_1 v=\"2\"/><s_ k=\"x y\" v=\"z\"/><t_-3><b_q v=\"1\"/>"
        "</t_-3></t_a><n_ kn=\"1.5\" v=\"nan\"/><s_0 v=\" \"/><x_y v=\"1\"/><t v=\"9\"/><n_b/>"
        "</data></game_data></profile>";
    tr_Random::Reset();
    int opened = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = document;
        for (int flips = round % 3; flips > 0; --flips)
            bytes[size_t(tr_Random::Next()) % bytes.size()] = char(tr_Random::Next() & 0xFF);
        const std::string file = tp_SaveGameFile::Resign(bytes.data(), bytes.size());
        tinyxml2::XMLDocument parsed;
        const tinyxml2::XMLElement* data = nullptr;
        if (tp_SaveGameFile::Open(file.data(), file.size(), parsed, &data) != tp_SaveGameFile::OK ||
            !data)
            continue;
        ++opened;
        Run("tp_global = {keep = 1}");
        tp_GameScriptSaveData::LoadGlobal(L, *data);
        EXPECT_EQ(Eval("tp_global.keep"), "1");
    }
    EXPECT_GT(opened, 700); // most rounds reached the converter
}
