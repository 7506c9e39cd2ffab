#include "engine/resources/text/tr_StringTable.h"

#include "FontTestSupport.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace {

std::string Row(const std::string& id, const std::string& text) {
    return "<Row ss:AutoFitHeight=\"0\">\n<Cell><Data ss:Type=\"String\">" + id +
           "</Data></Cell>\n<Cell ss:StyleID=\"s1\"><Data ss:Type=\"String\">" + text +
           "</Data></Cell>\n</Row>\n";
}

std::string Workbook(const std::string& rows) {
    return "<?xml version=\"1.0\"?>\n<Workbook xmlns=\"urn:schemas-microsoft-com:office:"
           "spreadsheet\">\n<Worksheet ss:Name=\"Sheet1\"><Table>\n" +
           rows + "</Table></Worksheet>\n</Workbook>\n";
}

class StringTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.AddWorkbook(Workbook(Row("{comment}", "not a string") + Row("score", "Score: %1%") +
                                   Row("item_key", "golden key") + Row("percent", "100%%") +
                                   Row("bad_param", "x %6% y") + Row("zero_param", "%0%") +
                                   Row("open", "Hello %name") + Row("name", "Ann") +
                                   Row("open_missing", "Hi %nobody") + Row("trail", "50%") +
                                   Row("nested", "[%item_key%]") + Row("lost", "[%nothing%]") +
                                   Row("many", "%1%-%2%-%3%-%4%-%5%")));
    }
    tr_StringTable table;
};

TEST_F(StringTableTest, ReadsRowsAndSkipsCommentsEmptyIdsAndTheRestAfterTheWorkbook) {
    tr_StringTable t;
    t.AddWorkbook("<Row><Cell><Data>only_id</Data></Cell></Row>\r\n" + Row("", "no id") +
                  Row("multi", "A&#10;B") +
                  Row("entities", "&lt;b&gt; &quot;q&quot; a&#160;b &amp; &#10;") +
                  Row("crlf", "one\r\ntwo") + "</Workbook>" + Row("after", "ignored"));
    EXPECT_EQ(t.Size(), 4u);
    ASSERT_NE(t.Find("only_id"), nullptr);
    EXPECT_EQ(*t.Find("only_id"), "");
    EXPECT_EQ(*t.Find("multi"), "A\nB");
    EXPECT_EQ(*t.Find("entities"), "<b> \"q\" a\xA0"
                                   "b &amp; \n");
    EXPECT_EQ(*t.Find("crlf"), "one\ntwo");
    EXPECT_EQ(t.Find("after"), nullptr);

    EXPECT_EQ(table.Find("{comment}"), nullptr);
    EXPECT_EQ(table.StringGet("{comment}"), "{comment}");

    // A long cell full of entities is decoded in one pass per entity.
    std::string cell, decoded;
    for (int i = 0; i < 30000; ++i) {
        cell += "&lt;&#10;&quot;&amp;";
        decoded += "<\n\"&amp;";
    }
    t.AddWorkbook(Row("long", cell));
    ASSERT_NE(t.Find("long"), nullptr);
    EXPECT_EQ(*t.Find("long"), decoded);
}

TEST_F(StringTableTest, AWorkbookThatBreaksOffKeepsTheRowsReadSoFar) {
    tr_StringTable t;
    t.AddWorkbook(Row("first", "one") + Row("second", "two") +
                  "<Row><Cell><Data ss:Type=\"String\">third</Data></Cell><Cell><Data>thr");
    EXPECT_EQ(t.Size(), 2u);
    EXPECT_EQ(t.StringGet("second"), "two");
    EXPECT_EQ(t.Find("third"), nullptr);
    t.AddWorkbook("<Row><Cell><Data");
    EXPECT_EQ(t.Size(), 2u);
}

// A real workbook closes every cell before the next row; one that does not
// loses that row only, and a file full of such rows is read in one pass.
TEST_F(StringTableTest, ACellThatDoesNotCloseInsideItsRowSpoilsOnlyThatRow) {
    tr_StringTable t;
    t.AddWorkbook(Row("first", "one") + "<Row><Cell><Data>broken</Cell></Row>\n" +
                  "<Row><Cell><Data>half</Data></Cell><Cell><Data>open</Cell></Row>\n" +
                  Row("last", "three"));
    EXPECT_EQ(t.Size(), 2u);
    EXPECT_EQ(t.StringGet("first"), "one");
    EXPECT_EQ(t.StringGet("last"), "three");
    EXPECT_EQ(t.Find("half"), nullptr);

    std::string damaged;
    for (int i = 0; i < 5000; ++i)
        damaged += "<Row><Data>";
    t.AddWorkbook(damaged + "</Data>" + Row("after", "four"));
    EXPECT_EQ(t.Size(), 3u);
    EXPECT_EQ(t.StringGet("after"), "four");
}

TEST_F(StringTableTest, ParametersAndNestedKeys) {
    EXPECT_EQ(table.StringGet("score", "120"), "Score: 120");
    EXPECT_EQ(table.StringGet("score", "%item_key%"), "Score: golden key");
    EXPECT_EQ(table.StringGet("score", "%%"), "Score: %");
    EXPECT_EQ(table.StringGet("score", "%nothing%"), "score");
    EXPECT_EQ(table.StringGet("score", "%item_key"), "score");
    EXPECT_EQ(table.StringGet("score"), "Score: ");
    EXPECT_EQ(table.StringGet("many", "a", "b", "c", "d", "e"), "a-b-c-d-e");
    EXPECT_EQ(table.StringGet("nested"), "[golden key]");
    EXPECT_EQ(table.StringGet("lost"), "lost");
}

TEST_F(StringTableTest, PercentEscapes) {
    LogCapture log;
    EXPECT_EQ(table.StringGet("percent"), "100%");
    EXPECT_EQ(table.StringGet("bad_param", "a", "b", "c", "d", "e"), "bad_param");
    EXPECT_EQ(table.StringGet("zero_param", "a"), "zero_param");
    EXPECT_TRUE(log.lines.empty());

    EXPECT_EQ(table.StringGet("open"), "Hello Ann");
    EXPECT_EQ(log.Count("Error: non-matched percent escape found in string open, 'Hello %name'"),
              1);
    EXPECT_EQ(table.StringGet("open_missing"), "open_missing");
    EXPECT_EQ(table.StringGet("trail"), "50%");
    EXPECT_EQ(log.Count("Error: non-matched percent escape found in string trail, '50%'"), 1);
}

TEST_F(StringTableTest, UnknownAndEmptyIds) {
    EXPECT_EQ(table.StringGet(""), "");
    EXPECT_EQ(table.StringGet("no_such_id", "1"), "no_such_id");
}

TEST(StringTableFiles, SecondFileWinsWithOneWarningAndMissingFilesAreReported) {
    LogCapture log;
    tr_StringTable table;
    const std::string dir = TARROW_TEST_CONTENT "/text/";
    EXPECT_TRUE(table.LoadStringTable(dir + "strings_a"));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(table.StringGet("title"), "First title");
    EXPECT_EQ(table.StringGet("lines"), "one\ntwo");

    EXPECT_TRUE(table.LoadStringTable(dir + "strings_b"));
    EXPECT_EQ(log.Count("Warning: stringtable already include string \"title\"."), 1);
    EXPECT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(table.StringGet("title"), "Second title");
    EXPECT_EQ(table.StringGet("only_a"), "from a");
    EXPECT_EQ(table.StringGet("only_b"), "from b");

    EXPECT_FALSE(table.LoadStringTable(dir + "no_such_table"));
    EXPECT_EQ(
        log.Count("Error: stringtable could not find \"" + dir + "no_such_table\" file to load!"),
        1);
}

TEST(StringTableFiles, LineEndsAreReadAsInTextModeOnce) {
    ScratchDir dir;
    const std::string row =
        "<Row><Cell><Data>id</Data></Cell><Cell><Data>a\r\nb\r\r\nc\rd</Data></Cell></Row>\r\n";
    WriteBytes(dir.path + "/crlf.xml", std::vector<uint8_t>(row.begin(), row.end()));
    tr_StringTable table;
    ASSERT_TRUE(table.LoadStringTable(dir.path + "/crlf"));
    EXPECT_EQ(table.StringGet("id"), "a\nb\r\nc\rd");
}

TEST(StringTableFiles, WindowsStylePathsFindTheFile) {
    tr_StringTable table;
    EXPECT_TRUE(table.LoadStringTable(TARROW_TEST_CONTENT "\\TEXT\\Strings_B"));
    EXPECT_EQ(table.StringGet("only_b"), "from b");
}

TEST(StringTableFiles, TheProcessTableExistsOnlyOnceCreated) {
    tr_StringTable::Destroy();
    EXPECT_EQ(tr_StringTable::Get(), nullptr);
    tr_StringTable* table = tr_StringTable::GetOrCreate();
    EXPECT_EQ(tr_StringTable::GetOrCreate(), table);
    EXPECT_EQ(tr_StringTable::Get(), table);
    tr_StringTable::Destroy();
    EXPECT_EQ(tr_StringTable::Get(), nullptr);
}

} // namespace

namespace {

TEST_F(StringTableTest, MissingIdsAreReportedOnceWhenAskedTo) {
    LogCapture log;
    EXPECT_EQ(table.StringGet("no_such_id"), "no_such_id");
    EXPECT_TRUE(log.lines.empty()) << "silent unless the development mode asks";
    table.SetReportMissing(true);
    struct Lookup {
        const char* id;
        const char* result;
    };
    const Lookup lookups[] = {{"item_key", "golden key"},
                              {"no_such_id", "no_such_id"},
                              {"no_such_id", "no_such_id"},
                              {"other", "other"},
                              {"", ""}};
    for (const Lookup& lookup : lookups)
        EXPECT_EQ(table.StringGet(lookup.id), lookup.result);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"Warning: string table has no string \"no_such_id\"",
                                        "Warning: string table has no string \"other\""}));
}

} // namespace
