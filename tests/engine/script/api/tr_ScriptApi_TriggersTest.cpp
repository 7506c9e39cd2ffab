// Trigger, module and object-creation script functions against the engine
// core's trigger registry, object factory and module loader.
#include "ScriptApiFixture.h"

#include "engine/objects/tr_Sprite.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <unistd.h>

namespace {

class ScriptApiTriggersTest : public ScriptApiTest {
protected:
    tr_TriggerRegistry& Triggers() { return tr_EngineCore::Get()->GetTriggers(); }
    void AddTrigger(const std::string& name, const std::string& code) {
        ASSERT_TRUE(Triggers().AddTrigger(std::make_unique<tr_Trigger>(name, code)));
    }
    std::string Global(const std::string& name) {
        std::string value;
        return tr_EngineCore::Get()->GetScript().GetGlobalString(name, value) ? value : "<none>";
    }
};

} // namespace

TEST_F(ScriptApiTriggersTest, TrgExecuteRunsCodeAtOnceAsTrUndef) {
    AddTrigger("trg_note", "seen = tr_params.sender .. ':' .. tr_params.param_0");
    Run("TrgExecute('trg_note(first)')");
    EXPECT_EQ(Global("seen"), "tr_undef:first");
    Run("TrgExecute('*inline = 7')");
    EXPECT_EQ(Global("inline"), "7");
    EXPECT_TRUE(log.lines.empty());

    Run("TrgExecute(nil); TrgExecute(); TrgExecute({})");
    ASSERT_EQ(log.lines.size(), 3u);
    for (const std::string& line : log.lines)
        EXPECT_EQ(line, "Error: TrgExecute try execute with null code!");

    Run("TrgExecute('trg_missing')");
    EXPECT_EQ(log.lines.back(),
              "Error: object tr_undef try to call trigger trg_missing - no such trigger");
}

TEST_F(ScriptApiTriggersTest, TrgGetSetAndDelete) {
    AddTrigger("trg_count", "count = (count or 0) + 1");
    EXPECT_EQ(Eval("TrgGet('trg_count').name"), "trg_count");
    EXPECT_EQ(Eval("TrgGet('trg_count').code"), "count = (count or 0) + 1");
    EXPECT_EQ(Eval("TrgGet('trg_unknown')"), "nil");
    EXPECT_EQ(Eval("select('#', TrgGet('trg_unknown'))"), "1");

    Run("TrgExecute('trg_count')");
    EXPECT_EQ(Global("count"), "1");
    EXPECT_TRUE(Triggers().FindTrigger("trg_count")->IsCompiled());

    // New code replaces the compiled one at the next call.
    Run("TrgSet('trg_count', {code = 'count = 100'})");
    EXPECT_FALSE(Triggers().FindTrigger("trg_count")->IsCompiled());
    EXPECT_EQ(Eval("TrgGet('trg_count').code"), "count = 100");
    Run("TrgExecute('trg_count')");
    EXPECT_EQ(Global("count"), "100");

    // A table without code, a code without text and a non-table change nothing.
    Run("TrgSet('trg_count', {other = 1}); TrgSet('trg_count', {code = {}});"
        " TrgSet('trg_count', 'count = 5'); TrgSet('trg_nobody', {code = 'x = 1'})");
    EXPECT_EQ(Triggers().FindTrigger("trg_count")->GetCode(), "count = 100");
    EXPECT_TRUE(Triggers().FindTrigger("trg_count")->IsCompiled());
    Run("TrgSet('trg_count', {code = 42})");
    EXPECT_EQ(Triggers().FindTrigger("trg_count")->GetCode(), "42");

    // Deleting removes the trigger; the compiled global function stays.
    Run("TrgDelete('trg_count')");
    EXPECT_EQ(Triggers().FindTrigger("trg_count"), nullptr);
    EXPECT_EQ(Eval("type(trg_count)"), "function");
    Run("TrgDelete('trg_count'); TrgDelete(nil)");
}

TEST_F(ScriptApiTriggersTest, ObjCreateParksNewObjectsUnderTheStorageRoot) {
    Run("ObjCreate('spr', 'made'); ObjCreate('obj', 12)");
    tr_Object* made = Scene().FindObject("made");
    ASSERT_NE(made, nullptr);
    EXPECT_NE(dynamic_cast<tr_Sprite*>(made), nullptr);
    EXPECT_EQ(made->GetParent(), Scene().GetStorageRoot());
    EXPECT_FALSE(made->AreResourcesLoaded());
    ASSERT_NE(Scene().FindObject("12"), nullptr);
    EXPECT_EQ(Scene().FindObject("12")->GetType(), "obj");

    Run("ObjCreate('no_such_type', 'ghost'); ObjCreate(nil, 'ghost2')");
    EXPECT_EQ(Scene().FindObject("ghost"), nullptr);
    EXPECT_EQ(Scene().FindObject("ghost2"), nullptr);
    EXPECT_EQ(Scene().GetStorageRoot()->GetChildren().size(), 2u);

    // A root's name would shadow the root in lookups.
    Run("ObjCreate('obj', 'tr_origin'); ObjCreate('obj', 'tr_storage')");
    EXPECT_EQ(Scene().FindObject("tr_origin"), Scene().GetDisplayRoot());
    EXPECT_EQ(Scene().FindObject("tr_storage"), Scene().GetStorageRoot());
    EXPECT_EQ(Scene().GetStorageRoot()->GetChildren().size(), 2u);
    EXPECT_TRUE(
        log.Contains("Warning: ObjCreate refused: the name tr_origin belongs to a scene root"));
}

TEST_F(ScriptApiTriggersTest, ModLoadLoadsAModuleThroughBackslashPaths) {
    const std::string folder =
        ::testing::TempDir() + "script_api_module_" + std::to_string(getpid());
    std::filesystem::create_directories(folder + "/sub");
    std::ofstream(folder + "/sub/level.xml")
        << "<module name=\"level\">\n"
           "  <objs><obj name=\"box\"><obj name=\"door\" pos_x=\"5\"/></obj></objs>\n"
           "  <trigs><trig name=\"trg_door\"><code>opened = 1</code></trig></trigs>\n"
           "  <code>loaded = 'yes'</code>\n"
           "</module>\n";
    Run("ModLoad([[" + folder + "\\sub\\level]])");
    tr_Object* door = Scene().FindObject("door");
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetParent(), Scene().GetStorageRoot());
    EXPECT_FLOAT_EQ(door->GetPosX(), 5.0f);
    EXPECT_NE(Triggers().FindTrigger("trg_door"), nullptr);
    EXPECT_EQ(Global("loaded"), "yes");
    Run("ModLoad(nil); ModLoad({})");
    std::filesystem::remove_all(folder);
}
