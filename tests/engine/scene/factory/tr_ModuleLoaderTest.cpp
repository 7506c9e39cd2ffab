// Loading module files into the engine core: objects parked in the storage
// root, triggers registered, module code run, and the malformed cases.
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/bindings/tr_EngineCore.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_Trigger.h"
#include "tests/engine/resources/files/TempFolder.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kRoomModule = R"(<module name="room1">
  <objs>
    <obj name="container">
      <obj name="door" pos_x="40" pos_z="2">
        <spr name="door_knob"/>
      </obj>
      <spr name="window" pos_x="7"/>
    </obj>
    <obj name="ignored_second_container"/>
  </objs>
  <trigs>
    <trig name="trg_open"><code>
-- the line break above and below must survive loading
opened = (opened or 0) + 1
</code></trig>
    <trig name="trg_empty"/>
  </trigs>
  <code>module_ran = (module_ran or 0) + 1</code>
</module>
)";

class ModuleLoaderTest : public ::testing::Test {
protected:
    void TearDown() override { tr_EngineCore::Destroy(); }

    // Writes text to base + ".xml" in the temporary folder; returns base.
    std::string Write(const std::string& base, const std::string& text) {
        TempFolder::WriteText(folder.Path() + "/" + base + ".xml", text);
        return folder.Path() + "/" + base;
    }
    tr_EngineCore& Core() { return *tr_EngineCore::Get(); }
    tr_Object* Storage() { return Core().GetScene().GetStorageRoot(); }
    std::vector<std::string> StorageNames() {
        std::vector<std::string> names;
        for (tr_Object* child : Storage()->GetChildren())
            names.push_back(child->GetName());
        return names;
    }
    std::string Global(const std::string& name) {
        std::string value;
        return Core().GetScript().GetGlobalString(name, value) ? value : "<nil>";
    }

    TempFolder folder;
    LogCapture log;
};

TEST_F(ModuleLoaderTest, ObjectsAreParkedTriggersRegisteredAndCodeRun) {
    ASSERT_TRUE(tr_LoadModule(Write("room1", kRoomModule)));
    // The container never enters the scene; its children do, sorted by z.
    EXPECT_EQ(StorageNames(), (std::vector<std::string>{"window", "door"}));
    EXPECT_EQ(Core().GetScene().FindObject("container"), nullptr);
    EXPECT_EQ(Core().GetScene().FindObject("ignored_second_container"), nullptr);
    tr_Object* door = Core().GetScene().FindObject("door");
    ASSERT_NE(door, nullptr);
    EXPECT_FLOAT_EQ(door->GetPosX(), 40.0f);
    EXPECT_FALSE(door->AreResourcesLoaded());
    ASSERT_EQ(door->GetChildren().size(), 1u);
    EXPECT_EQ(door->GetChildren()[0]->GetName(), "door_knob");

    EXPECT_EQ(Global("module_ran"), "1");
    ASSERT_NE(Core().GetTriggers().FindTrigger("trg_empty"), nullptr);
    EXPECT_EQ(Core().GetTriggers().FindTrigger("trg_empty")->GetCode(), "");
    // With white space condensed the comment would swallow the statement.
    EXPECT_TRUE(Core().GetTriggers().CallNow("test", "trg_open"));
    EXPECT_EQ(Global("opened"), "1");
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(ModuleLoaderTest, BackslashPathNamesTheSameFile) {
    std::string path = Write("room1", kRoomModule);
    const size_t slash = path.rfind('/');
    path[slash] = '\\';
    ASSERT_TRUE(tr_LoadModule(path));
    EXPECT_EQ(Global("module_ran"), "1");
}

TEST_F(ModuleLoaderTest, LoadingTwiceMakesASecondSetAndKeepsTheFirstTriggers) {
    const std::string path = Write("room1", kRoomModule);
    ASSERT_TRUE(tr_LoadModule(path));
    tr_Object* first_door = Core().GetScene().FindObject("door");
    Core().GetTriggers().FindTrigger("trg_open")->SetCode("which = 'first'");

    ASSERT_TRUE(tr_LoadModule(path));
    EXPECT_EQ(Storage()->GetChildren().size(), 4u);
    tr_Object* second_door = Core().GetScene().FindObject("door");
    EXPECT_NE(second_door, first_door);
    EXPECT_EQ(second_door->GetParent(), Storage());
    EXPECT_EQ(Global("module_ran"), "2");
    EXPECT_EQ(Core().GetTriggers().FindTrigger("trg_open")->GetCode(), "which = 'first'");
}

TEST_F(ModuleLoaderTest, CodeOnlyModuleRunsAndCreatesNothing) {
    ASSERT_TRUE(tr_LoadModule(Write("code_only", "<module name='c'><code>x = 42</code></module>")));
    EXPECT_EQ(Global("x"), "42");
    EXPECT_TRUE(Storage()->GetChildren().empty());
    EXPECT_EQ(Core().GetTriggers().GetTriggerCount(), 0u);
}

TEST_F(ModuleLoaderTest, ModuleElementWithoutChildElementsAppliesNothing) {
    // Without child elements the sections are looked for under the document.
    ASSERT_TRUE(tr_LoadModule(Write("empty", "<module name='e'>\n  </module>")));
    ASSERT_TRUE(tr_LoadModule(Write("beside", "<module name='b'/><code>beside_ran = 1</code>")));
    EXPECT_EQ(Global("beside_ran"), "1");
    EXPECT_TRUE(Storage()->GetChildren().empty());
}

TEST_F(ModuleLoaderTest, UnknownTypeDropsItsSubtreeWhileSiblingsLoad) {
    ASSERT_TRUE(tr_LoadModule(Write("mixed", "<module name='m'><objs><obj name='c'>"
                                             "<obj name='kept'/>"
                                             "<nothing name='dropped'><obj name='below'/></nothing>"
                                             "<timer name='also_kept'/>"
                                             "</obj></objs></module>")));
    EXPECT_EQ(StorageNames(), (std::vector<std::string>{"kept", "also_kept"}));
    EXPECT_EQ(Core().GetScene().FindObject("below"), nullptr);
}

TEST_F(ModuleLoaderTest, ParseErrorIsLoggedWithLineAndColumnAndNothingApplies) {
    const std::string path = Write("broken", "<module name='m'>\n"
                                             "  <objs><obj name='c'><obj name='x'/></obj></objs>\n"
                                             "  <code>broken_ran = 1</code>\n"
                                             "    <trigs></trig>\n"
                                             "</module>\n");
    EXPECT_FALSE(tr_LoadModule(path));
    ASSERT_EQ(log.lines.size(), 1u);
    const std::string prefix = "Error while parsing xml file: " + path + ".xml. Description: ";
    EXPECT_EQ(log.lines[0].compare(0, prefix.size(), prefix), 0) << log.lines[0];
    EXPECT_NE(log.lines[0].find(", line: 4, pos: 5"), std::string::npos) << log.lines[0];
    EXPECT_TRUE(Storage()->GetChildren().empty());
    EXPECT_EQ(Global("broken_ran"), "<nil>");
}

TEST_F(ModuleLoaderTest, MissingFileAndFailingCodeWarnButChangeNothingElse) {
    EXPECT_FALSE(tr_LoadModule(folder.Path() + "/absent"));
    EXPECT_EQ(log.Count("Warning: module file " + folder.Path() + "/absent.xml not found"), 1);

    const std::string path =
        Write("failing", "<module name='f'><objs><obj name='c'><obj name='survivor'/></obj></objs>"
                         "<trigs><trig name='trg_kept'><code>x = 1</code></trig></trigs>"
                         "<code>error('module failed')</code></module>");
    EXPECT_TRUE(tr_LoadModule(path));
    ASSERT_EQ(log.lines.size(), 2u);
    // The chunk is named after the file, so the message points at it.
    EXPECT_EQ(log.lines[1].rfind("Warning: module " + path + ".xml code failed: ", 0), 0u)
        << log.lines[1];
    EXPECT_NE(log.lines[1].find("module failed"), std::string::npos);
    EXPECT_NE(Core().GetScene().FindObject("survivor"), nullptr);
    EXPECT_NE(Core().GetTriggers().FindTrigger("trg_kept"), nullptr);
}

TEST_F(ModuleLoaderTest, ObjectsNamedLikeTheScenesRootsDoNotShadowThem) {
    ASSERT_TRUE(tr_LoadModule(Write("roots", "<module name='r'><objs><obj name='c'>"
                                             "<obj name='tr_origin'><obj name='inside'/></obj>"
                                             "<obj name='tr_storage'/><obj name='fine'/>"
                                             "</obj></objs></module>")));
    tr_Scene& scene = Core().GetScene();
    EXPECT_EQ(scene.FindObject("tr_origin"), scene.GetDisplayRoot());
    EXPECT_EQ(scene.FindObject("tr_storage"), scene.GetStorageRoot());
    EXPECT_EQ(StorageNames(), (std::vector<std::string>{"fine"}));
    EXPECT_EQ(scene.FindObject("inside"), nullptr);
    EXPECT_EQ(log.CountStartingWith("Warning: "), 2);
}

} // namespace
