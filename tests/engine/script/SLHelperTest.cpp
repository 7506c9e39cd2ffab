// The four serialization helpers: attribute conversions, Lua reads with their
// loose typing, the one-value helper and the tinyxml2 document navigation.
#include "engine/core/tr_SLHelper_OneVal.h"
#include "engine/core/tr_SLHelper_Text.h"
#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/core/tr_SLHelper_XML.h"
#include "engine/script/tr_SLHelper_Lua.h"

#include <gtest/gtest.h>
#include <lua.hpp>
#include <tinyxml2.h>

#include <climits>
#include <clocale>
#include <string>
#include <vector>

namespace {

TEST(SLHelperTextTest, ReadsLikeAtoiAndAtofWithoutLocale) {
    EXPECT_EQ(tr_SLHelper_Text::ToInt("  42abc"), 42);
    EXPECT_EQ(tr_SLHelper_Text::ToInt("-17"), -17);
    EXPECT_EQ(tr_SLHelper_Text::ToInt("+5"), 5);
    EXPECT_EQ(tr_SLHelper_Text::ToInt("true"), 0);
    EXPECT_EQ(tr_SLHelper_Text::ToInt("10.9"), 10);
    EXPECT_EQ(tr_SLHelper_Text::ToInt("99999999999"), INT_MAX);
    EXPECT_EQ(tr_SLHelper_Text::ToInt("-99999999999"), INT_MIN);
    EXPECT_EQ(tr_SLHelper_Text::ToInt(nullptr), 0);
    EXPECT_FLOAT_EQ(tr_SLHelper_Text::ToFloat(" 10.6px"), 10.6f);
    EXPECT_FLOAT_EQ(tr_SLHelper_Text::ToFloat("-1e2"), -100.0f);
    EXPECT_FLOAT_EQ(tr_SLHelper_Text::ToFloat("abc"), 0.0f);
}

// A comma-decimal locale must not change how content numbers read. The set-up
// script generates de_DE.UTF-8; a machine without it reports the test skipped.
TEST(SLHelperTextTest, ReadsTheSameUnderACommaDecimalLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/install-deps.sh)";
    }
    const float read_point = tr_SLHelper_Text::ToFloat("1.5");
    const float read_comma = tr_SLHelper_Text::ToFloat("1,5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_FLOAT_EQ(read_point, 1.5f);
    EXPECT_FLOAT_EQ(read_comma, 1.0f);
}

class SLHelperXmlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(document.Parse("<obj name='door' t='true' one='1' zero='0' x='10.6' n=' 7'/>"),
                  tinyxml2::XML_SUCCESS);
    }
    tinyxml2::XMLDocument document;
};

TEST_F(SLHelperXmlTest, BooleansReadAsTextToInteger) {
    tr_SLHelper_XML helper(document.RootElement());
    bool value = true;
    EXPECT_TRUE(helper.ReadBool("t", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(helper.ReadBool("one", value));
    EXPECT_TRUE(value);
    EXPECT_TRUE(helper.ReadBool("zero", value));
    EXPECT_FALSE(value);
}

TEST_F(SLHelperXmlTest, ReadsConvertAndMissingKeysLeaveTheDestination) {
    tr_SLHelper_XML helper(document.RootElement());
    float x = 0;
    int n = 0;
    int truncated = 0;
    std::string name;
    EXPECT_TRUE(helper.ReadFloat("x", x));
    EXPECT_FLOAT_EQ(x, 10.6f);
    EXPECT_TRUE(helper.ReadInt("n", n));
    EXPECT_EQ(n, 7);
    EXPECT_TRUE(helper.ReadInt2("x", truncated));
    EXPECT_EQ(truncated, 10);
    EXPECT_TRUE(helper.ReadString("name", name));
    EXPECT_EQ(name, "door");
    int untouched = 123;
    EXPECT_FALSE(helper.ReadInt("missing", untouched));
    EXPECT_EQ(untouched, 123);
}

TEST_F(SLHelperXmlTest, WritesAndInformationalValues) {
    tinyxml2::XMLElement* element = document.RootElement();
    tr_SLHelper_XML helper(element);
    helper.WriteBool("visible", true);
    helper.WriteInt("z", -3);
    helper.WriteString("empty", "");
    helper.WriteFloat("alp", 0.5f);
    EXPECT_STREQ(element->Attribute("visible"), "1");
    EXPECT_STREQ(element->Attribute("z"), "-3");
    EXPECT_STREQ(element->Attribute("empty"), "");
    EXPECT_FLOAT_EQ(element->FloatAttribute("alp"), 0.5f);

    helper.SetInformationalMode(true);
    helper.WriteFloat("draw_width", 10.0f);
    EXPECT_EQ(element->Attribute("draw_width"), nullptr);
    helper.SetIncludeInformational(true);
    helper.WriteFloat("draw_width", 10.0f);
    EXPECT_NE(element->Attribute("draw_width"), nullptr);
}

class SLHelperLuaTest : public ::testing::Test {
protected:
    void SetUp() override {
        L = luaL_newstate();
        luaL_openlibs(L);
    }
    void TearDown() override { lua_close(L); }

    void PushTable(const std::string& body) {
        ASSERT_EQ(luaL_dostring(L, ("return " + body).c_str()), 0) << lua_tostring(L, -1);
    }

    lua_State* L = nullptr;
};

TEST_F(SLHelperLuaTest, IntegersRoundHalfToEven) {
    PushTable("{a = 10.6, b = 2.5, c = 3.5, d = -2.5, e = '10.6', f = 'abc', g = {}}");
    tr_SLHelper_Lua helper(L);
    const int top = lua_gettop(L);
    int value = -1;
    float f = 0;
    ASSERT_TRUE(helper.ReadInt("a", value));
    EXPECT_EQ(value, 11);
    ASSERT_TRUE(helper.ReadFloat("a", f));
    EXPECT_FLOAT_EQ(f, 10.6f);
    helper.ReadInt("b", value);
    EXPECT_EQ(value, 2);
    helper.ReadInt("c", value);
    EXPECT_EQ(value, 4);
    helper.ReadInt("d", value);
    EXPECT_EQ(value, -2);
    helper.ReadInt("e", value);
    EXPECT_EQ(value, 11);
    EXPECT_TRUE(helper.ReadInt("f", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(helper.ReadFloat("g", f));
    EXPECT_FLOAT_EQ(f, 0.0f);
    value = 77;
    EXPECT_FALSE(helper.ReadInt("missing", value));
    EXPECT_EQ(value, 77);
    EXPECT_EQ(lua_gettop(L), top);
}

TEST_F(SLHelperLuaTest, BooleansFromBooleansNumbersAndStrings) {
    PushTable("{f1 = false, f2 = 0, f3 = '0', f4 = 'true', t1 = true, t2 = 2, t3 = '1'}");
    tr_SLHelper_Lua helper(L);
    for (const char* key : {"f1", "f2", "f3", "f4"}) {
        bool value = true;
        EXPECT_TRUE(helper.ReadBool(key, value));
        EXPECT_FALSE(value) << key;
    }
    for (const char* key : {"t1", "t2", "t3"}) {
        bool value = false;
        EXPECT_TRUE(helper.ReadBool(key, value));
        EXPECT_TRUE(value) << key;
    }
}

TEST_F(SLHelperLuaTest, StringsAcceptNumbersAndWritesSetFields) {
    PushTable("{n = 5, s = 'txt'}");
    tr_SLHelper_Lua helper(L);
    std::string text;
    EXPECT_TRUE(helper.ReadString("n", text));
    EXPECT_EQ(text, "5");
    helper.WriteBool("visible", false);
    helper.WriteInt("z", 4);
    helper.WriteString("name", "obj");
    helper.SetInformationalMode(true);
    helper.WriteFloat("draw_width", 3.0f);
    lua_setglobal(L, "t");
    ASSERT_EQ(luaL_dostring(L, "return t.visible == false and t.z == 4 and t.name == 'obj' "
                               "and t.draw_width == nil and t.n == 5"),
              0);
    EXPECT_TRUE(lua_toboolean(L, -1));
}

TEST(SLHelperOneValTest, OnlyItsKeyReadsAsNumber) {
    tr_SLHelper_OneVal helper("alp", 2.75f);
    float f = 0;
    int i = 0;
    bool b = false;
    std::string s;
    EXPECT_TRUE(helper.ReadFloat("alp", f));
    EXPECT_FLOAT_EQ(f, 2.75f);
    EXPECT_TRUE(helper.ReadInt("alp", i));
    EXPECT_EQ(i, 2);
    EXPECT_FALSE(helper.ReadFloat("pos_x", f));
    EXPECT_FALSE(helper.ReadBool("alp", b));
    EXPECT_FALSE(helper.ReadString("alp", s));
    helper.WriteFloat("alp", 9.0f);
    helper.ReadFloat("alp", f);
    EXPECT_FLOAT_EQ(f, 2.75f);
}

class SLHelperTinyXML2Test : public ::testing::Test {
protected:
    tr_SLHelper_TinyXML2* Make(const char* text) {
        auto* document = new tinyxml2::XMLDocument(true, tinyxml2::PRESERVE_WHITESPACE);
        EXPECT_EQ(document->Parse(text), tinyxml2::XML_SUCCESS);
        return new tr_SLHelper_TinyXML2(document);
    }
};

TEST_F(SLHelperTinyXML2Test, GroupWalkVisitsEveryChildInOrder) {
    std::unique_ptr<tr_SLHelper_TinyXML2> helper(
        Make("<effect type='flux'><emit n='a'/><emit n='b'/><other n='c'/></effect>"));
    ASSERT_TRUE(helper->BeginGroup("emit"));
    std::vector<std::string> seen;
    while (helper->NextInGroup()) {
        std::string n;
        EXPECT_TRUE(helper->ReadString("n", n));
        seen.push_back(n);
        helper->Leave();
    }
    helper->EndGroup();
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
    std::string type;
    EXPECT_TRUE(helper->ReadString("type", type));
    EXPECT_EQ(type, "flux");
    EXPECT_FALSE(helper->BeginGroup("missing"));
    EXPECT_FALSE(helper->NextInGroup());
}

TEST_F(SLHelperTinyXML2Test, NestedGroupsAndEnterLeave) {
    std::unique_ptr<tr_SLHelper_TinyXML2> helper(
        Make("<grid v='1'><frames><frame i='0'><vertex x='1'/><vertex x='2'/></frame>"
             "<frame i='1'><vertex x='3'/></frame></frames></grid>"));
    ASSERT_TRUE(helper->Enter("frames"));
    ASSERT_TRUE(helper->BeginGroup("frame"));
    int total = 0;
    int frames = 0;
    while (helper->NextInGroup()) {
        ++frames;
        if (helper->BeginGroup("vertex")) {
            while (helper->NextInGroup()) {
                int x = 0;
                helper->ReadInt("x", x);
                total += x;
                helper->Leave();
            }
            helper->EndGroup();
        }
        helper->Leave();
    }
    helper->EndGroup();
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(total, 6);
    helper->Leave();
    helper->Leave(); // never above the root
    int v = 0;
    EXPECT_TRUE(helper->ReadInt("v", v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(helper->Enter("nothing"));
}

TEST_F(SLHelperTinyXML2Test, EmptyDocumentReadsNothing) {
    tr_SLHelper_TinyXML2 helper(new tinyxml2::XMLDocument());
    int v = 5;
    EXPECT_FALSE(helper.ReadInt("v", v));
    EXPECT_EQ(v, 5);
    helper.WriteInt("v", 1);
    EXPECT_FALSE(helper.BeginGroup("x"));
}

} // namespace
