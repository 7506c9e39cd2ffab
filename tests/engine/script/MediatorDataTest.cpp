// Typed message values: lookups, deep copies, Lua conversions both ways and
// the XML forms.
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataFloat.h"
#include "engine/core/tr_MediatorDataInt.h"
#include "engine/core/tr_MediatorDataString.h"
#include "engine/core/tr_MediatorDataTable.h"

#include <gtest/gtest.h>
#include <lua.hpp>
#include <tinyxml2.h>

#include <climits>
#include <string>

namespace {

TEST(MediatorDataTest, ScalarAccessorsConvertOnlyAsDocumented) {
    tr_MediatorDataFloat positive(2.9f), negative(-2.9f), huge(1e20f);
    EXPECT_EQ(positive.GetInt(), 2);
    EXPECT_EQ(negative.GetInt(), -2);
    EXPECT_EQ(huge.GetInt(), INT_MAX);
    EXPECT_EQ(positive.GetString(), "");
    tr_MediatorDataInt integer(7);
    EXPECT_FLOAT_EQ(integer.GetFloat(), 7.0f);
    EXPECT_EQ(integer.GetString(), "");
    tr_MediatorDataString text("12");
    EXPECT_EQ(text.GetInt(), 0);
    EXPECT_EQ(text.AsTable(), nullptr);
}

TEST(MediatorDataTest, GetLogsMissingKeysAndIndicesFindDoesNot) {
    tr_MediatorDataTable table;
    tr_MediatorDataArray* array = table.AddArray("list");
    array->AddInt(1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(table.Find("missing"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_EQ(table.Get("missing"), nullptr);
    EXPECT_EQ(array->Get(1), nullptr);
    EXPECT_EQ(array->Get(-1), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error: try to get NULL from tr_MediatorDataTable by key missing.\n"
              "Error: try to get NULL from tr_MediatorDataArray by index 1.\n"
              "Error: try to get NULL from tr_MediatorDataArray by index -1.\n");
    EXPECT_EQ(array->Get(0)->GetInt(), 1);
}

TEST(MediatorDataTest, SetReplacesAndRemoveDeletes) {
    tr_MediatorDataTable table;
    table.SetInt("k", 1);
    table.SetString("k", "two");
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Find("k")->GetType(), tr_MediatorData::TYPE_STRING);
    table.AddTable("k")->SetInt("inner", 3);
    EXPECT_EQ(table.Find("k")->AsTable()->Find("inner")->GetInt(), 3);
    tr_MediatorData* same = table.Find("k");
    table.Set("k", same); // re-storing the held value keeps it alive
    EXPECT_EQ(table.Find("k")->AsTable()->Find("inner")->GetInt(), 3);
    table.Remove("k");
    EXPECT_EQ(table.Count(), 0);
}

TEST(MediatorDataTest, CopyIsDeepAndIndependent) {
    int target = 0;
    tr_MediatorDataTable original;
    original.SetPointer("ptr", &target);
    original.SetFloat("f", 1.5f);
    tr_MediatorDataTable* nested = original.AddTable("nested");
    nested->SetString("s", "before");
    tr_MediatorDataArray* list = nested->AddArray("list");
    list->AddInt(1);
    list->AddTable()->SetInt("deep", 5);

    tr_MediatorDataTable copy(original);
    nested->SetString("s", "after");
    list->AddInt(2);
    list->Get(1)->AsTable()->SetInt("deep", 6);
    original.Remove("f");

    tr_MediatorDataTable* copied_nested = copy.Find("nested")->AsTable();
    ASSERT_NE(copied_nested, nested);
    EXPECT_EQ(copied_nested->Find("s")->GetString(), "before");
    tr_MediatorDataArray* copied_list = copied_nested->Find("list")->AsArray();
    EXPECT_EQ(copied_list->Count(), 2);
    EXPECT_EQ(copied_list->Get(1)->AsTable()->Find("deep")->GetInt(), 5);
    EXPECT_FLOAT_EQ(copy.Find("f")->GetFloat(), 1.5f);
    EXPECT_EQ(copy.Find("ptr")->GetPointer(), &target);

    tr_MediatorDataTable assigned;
    assigned.SetInt("gone", 1);
    assigned = copy;
    EXPECT_EQ(assigned.Find("gone"), nullptr);
    EXPECT_EQ(assigned.Find("nested")->AsTable()->Find("s")->GetString(), "before");
}

class MediatorDataLuaTest : public ::testing::Test {
protected:
    void SetUp() override {
        L = luaL_newstate();
        luaL_openlibs(L);
    }
    void TearDown() override { lua_close(L); }

    // Leaves the value of expression on top of the stack.
    void Push(const std::string& expression) {
        ASSERT_EQ(luaL_dostring(L, ("return " + expression).c_str()), 0) << lua_tostring(L, -1);
    }

    lua_State* L = nullptr;
};

TEST_F(MediatorDataLuaTest, ConvertsNumbersStringsAndNestedContainers) {
    Push("{a = 1, b = 1.5, c = 'x', d = {1, 2}, e = {}, f = {g = {h = 'deep'}}, "
         "skip1 = true, skip2 = print}");
    const int top = lua_gettop(L);
    tr_MediatorDataTable table;
    table.FromLua(L);
    EXPECT_EQ(lua_gettop(L), top);
    EXPECT_EQ(table.Count(), 6);
    EXPECT_EQ(table.Find("a")->GetType(), tr_MediatorData::TYPE_INT);
    EXPECT_EQ(table.Find("a")->GetInt(), 1);
    EXPECT_EQ(table.Find("b")->GetType(), tr_MediatorData::TYPE_FLOAT);
    EXPECT_FLOAT_EQ(table.Find("b")->GetFloat(), 1.5f);
    EXPECT_EQ(table.Find("c")->GetString(), "x");
    tr_MediatorDataArray* d = table.Find("d")->AsArray();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->Count(), 2);
    EXPECT_EQ(d->Get(0)->GetInt(), 1);
    EXPECT_EQ(d->Get(1)->GetInt(), 2);
    ASSERT_NE(table.Find("e")->AsTable(), nullptr);
    EXPECT_EQ(table.Find("e")->AsTable()->Count(), 0);
    tr_MediatorDataTable* g = table.Find("f")->AsTable()->Find("g")->AsTable();
    EXPECT_EQ(g->Find("h")->GetString(), "deep");
}

TEST_F(MediatorDataLuaTest, NonStringKeyEndsTableConversionWithAMessage) {
    Push("{1, 2}");
    tr_MediatorDataTable table;
    testing::internal::CaptureStdout();
    table.FromLua(L);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error while parsing LUA table: no string key value.\n");
    EXPECT_EQ(table.Count(), 0);
}

TEST_F(MediatorDataLuaTest, OutOfRangeAndNonFiniteWholeNumbersStayFloats) {
    Push("{big = 1e10, max = 2147483647, min = -2147483648, over = 2147483648, inf = 1/0}");
    tr_MediatorDataTable table;
    table.FromLua(L);
    EXPECT_EQ(table.Find("big")->GetType(), tr_MediatorData::TYPE_FLOAT);
    EXPECT_EQ(table.Find("max")->GetInt(), INT_MAX);
    EXPECT_EQ(table.Find("min")->GetInt(), INT_MIN);
    EXPECT_EQ(table.Find("min")->GetType(), tr_MediatorData::TYPE_INT);
    EXPECT_EQ(table.Find("over")->GetType(), tr_MediatorData::TYPE_FLOAT);
    EXPECT_EQ(table.Find("inf")->GetType(), tr_MediatorData::TYPE_FLOAT);
}

TEST_F(MediatorDataLuaTest, SelfContainingTableIsSkippedNotRecursedForever) {
    ASSERT_EQ(luaL_dostring(L, "local t = {name = 'loop', list = {1}} t.self = t "
                               "t.list[2] = t return t"),
              0);
    tr_MediatorDataTable table;
    testing::internal::CaptureStdout();
    table.FromLua(L);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("recursive"), std::string::npos);
    EXPECT_EQ(table.Find("name")->GetString(), "loop");
    EXPECT_EQ(table.Find("self"), nullptr);
    EXPECT_EQ(table.Find("list")->AsArray()->Count(), 1);
}

TEST_F(MediatorDataLuaTest, ArrayKeepsValuesInTraversalOrderAndIgnoresKeys) {
    Push("{10, 'x', {k = 1}, {5, 6}, false}");
    tr_MediatorDataArray array;
    array.FromLua(L);
    ASSERT_EQ(array.Count(), 4);
    EXPECT_EQ(array.Get(0)->GetInt(), 10);
    EXPECT_EQ(array.Get(1)->GetString(), "x");
    EXPECT_EQ(array.Get(2)->AsTable()->Find("k")->GetInt(), 1);
    EXPECT_EQ(array.Get(3)->AsArray()->Get(1)->GetInt(), 6);
}

TEST_F(MediatorDataLuaTest, PushToLuaBuildsEquivalentTables) {
    int target = 0;
    tr_MediatorDataTable table;
    table.SetInt("i", 3);
    table.SetFloat("f", 0.25f);
    table.SetString("s", "text");
    table.SetPointer("p", &target);
    tr_MediatorDataArray* list = table.AddArray("list");
    list->AddString("first");
    list->AddTable()->SetInt("n", 9);
    const int top = lua_gettop(L);
    table.PushToLua(L);
    ASSERT_EQ(lua_gettop(L), top + 1);
    lua_setglobal(L, "t");
    ASSERT_EQ(luaL_dostring(L, "return t.i == 3 and t.f == 0.25 and t.s == 'text' and "
                               "type(t.p) == 'userdata' and #t.list == 2 and "
                               "t.list[1] == 'first' and t.list[2].n == 9"),
              0);
    EXPECT_TRUE(lua_toboolean(L, -1));
    lua_getglobal(L, "t");
    lua_getfield(L, -1, "p");
    EXPECT_EQ(lua_touserdata(L, -1), &target);
}

TEST(MediatorDataXmlTest, TypedFormRoundTrips) {
    tr_MediatorDataTable table;
    table.SetInt("i", -4);
    table.SetFloat("f", 2.5f);
    table.SetString("s", "a \"quoted\" <text>");
    tr_MediatorDataArray* list = table.AddArray("list");
    list->AddInt(1);
    list->AddTable()->SetString("inner", "v");

    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("root");
    document.InsertEndChild(root);
    table.WriteXmlTyped(root);
    EXPECT_STREQ(root->Attribute("t"), "t");

    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    tinyxml2::XMLDocument parsed;
    ASSERT_EQ(parsed.Parse(printer.CStr()), tinyxml2::XML_SUCCESS);
    tr_MediatorDataTable read;
    read.ReadXmlTyped(parsed.FirstChildElement());
    EXPECT_EQ(read.Find("i")->GetInt(), -4);
    EXPECT_EQ(read.Find("f")->GetType(), tr_MediatorData::TYPE_FLOAT);
    EXPECT_FLOAT_EQ(read.Find("f")->GetFloat(), 2.5f);
    EXPECT_EQ(read.Find("s")->GetString(), "a \"quoted\" <text>");
    tr_MediatorDataArray* read_list = read.Find("list")->AsArray();
    ASSERT_EQ(read_list->Count(), 2);
    EXPECT_EQ(read_list->Get(1)->AsTable()->Find("inner")->GetString(), "v");
}

TEST(MediatorDataXmlTest, TypedReadSkipsUnknownLetters) {
    tinyxml2::XMLDocument document;
    ASSERT_EQ(
        document.Parse("<a t='a'><el t='i' v='3'/><el t='q' v='1'/><el/><el t='s' v='x'/></a>"),
        tinyxml2::XML_SUCCESS);
    tr_MediatorDataArray array;
    array.ReadXmlTyped(document.FirstChildElement());
    ASSERT_EQ(array.Count(), 2);
    EXPECT_EQ(array.Get(0)->GetInt(), 3);
    EXPECT_EQ(array.Get(1)->GetString(), "x");
}

TEST(MediatorDataXmlTest, NamedFormStaysWellFormedForAnyKey) {
    tr_MediatorDataTable table;
    table.SetInt("level", 2);
    table.SetString("two words", "v");
    table.AddArray("items")->AddFloat(0.5f);
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("root");
    document.InsertEndChild(root);
    table.WriteXmlNamed(root);

    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    tinyxml2::XMLDocument parsed;
    ASSERT_EQ(parsed.Parse(printer.CStr()), tinyxml2::XML_SUCCESS) << printer.CStr();
    const tinyxml2::XMLElement* level = parsed.RootElement()->FirstChildElement("level");
    ASSERT_NE(level, nullptr);
    EXPECT_STREQ(level->Attribute("name"), "level");
    EXPECT_STREQ(level->Attribute("val"), "2");
    const tinyxml2::XMLElement* odd = parsed.RootElement()->FirstChildElement("el");
    ASSERT_NE(odd, nullptr);
    EXPECT_STREQ(odd->Attribute("name"), "two words");
    const tinyxml2::XMLElement* item =
        parsed.RootElement()->FirstChildElement("items")->FirstChildElement("el");
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->Attribute("name"), "el");
    EXPECT_STREQ(item->Attribute("val"), "0.5");
}

} // namespace
