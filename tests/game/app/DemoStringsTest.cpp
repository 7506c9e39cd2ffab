// The demo's string table, read the way the application reads it at start-up:
// the window titles the configuration asks for exist, escapes resolve, and
// no id is defined twice.
#include "engine/resources/text/tr_StringTable.h"
#include "game/core/tp_Config.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

namespace {

class DemoStringsTest : public ::testing::Test {
protected:
    ~DemoStringsTest() override { tr_StringTable::Destroy(); }
};

TEST_F(DemoStringsTest, TableLoadsCleanlyWithTheTextsTheGameNeeds) {
    tp_Config config;
    ASSERT_TRUE(config.Load(std::string(TARROW_SOURCE_DIR) + "/assets/config"));
    LogCapture log;
    tr_StringTable* table = tr_StringTable::GetOrCreate();
    for (const std::string& file : config.string_files) {
        ASSERT_TRUE(table->LoadStringTable(std::string(TARROW_SOURCE_DIR) + "/" + file));
    }
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();

    ASSERT_NE(table->Find(config.WindowTitleKey()), nullptr);
    EXPECT_EQ(table->StringGet("window_title"), "Tarrow Demo");
    EXPECT_NE(table->Find("window_title_ce"), nullptr);
    // Header and comment rows are not strings.
    EXPECT_EQ(table->Find("{id}"), nullptr);
    EXPECT_EQ(table->StringGet("remark_key"), "You take the Brass key.");
    EXPECT_EQ(table->StringGet("menu_volume", "80"), "Volume: 80%");
    EXPECT_EQ(table->StringGet("remark_letter", "%room_garden%"),
              "A letter sealed with red wax. It is addressed to The Garden.");
}

} // namespace
