// Loose argument reading: names, numbers, numeric strings, rounded flags and
// the text-to-integer reading, on the stack a native function sees.
#include "engine/script/tr_ScriptArgs.h"

#include <gtest/gtest.h>
#include <lua.hpp>

namespace {

class ScriptArgsTest : public ::testing::Test {
protected:
    void SetUp() override { L = luaL_newstate(); }
    void TearDown() override { lua_close(L); }
    lua_State* L = nullptr;
};

} // namespace

TEST_F(ScriptArgsTest, NamesAreStringsOrNumbersInTheirLuaTextForm) {
    lua_pushstring(L, "door");
    lua_pushnumber(L, 42);
    lua_pushnumber(L, 2.5);
    lua_pushboolean(L, 1);
    lua_newtable(L);
    lua_pushnil(L);
    tr_ScriptArgs args(L);
    EXPECT_EQ(args.Count(), 6);
    std::string name;
    ASSERT_TRUE(args.GetName(1, name));
    EXPECT_EQ(name, "door");
    ASSERT_TRUE(args.GetName(2, name));
    EXPECT_EQ(name, "42");
    EXPECT_EQ(args.GetText(3), "2.5");
    // Converting a number leaves the argument a number.
    EXPECT_EQ(lua_type(L, 2), LUA_TNUMBER);
    EXPECT_FALSE(args.GetName(4, name));
    EXPECT_FALSE(args.GetName(5, name));
    EXPECT_FALSE(args.GetName(6, name));
    EXPECT_FALSE(args.GetName(7, name));
    EXPECT_EQ(args.GetText(7), "");
    EXPECT_EQ(lua_gettop(L), 6);

    EXPECT_TRUE(args.IsNil(6));
    EXPECT_FALSE(args.IsNil(7)); // missing is not nil
    EXPECT_TRUE(args.IsGiven(6));
    EXPECT_FALSE(args.IsGiven(7));
    EXPECT_FALSE(args.IsGiven(0));
    EXPECT_TRUE(args.IsTable(5));
}

TEST_F(ScriptArgsTest, NumbersAcceptNumericStringsAndFallBack) {
    lua_pushnumber(L, -3.25);
    lua_pushstring(L, " 12.5 ");
    lua_pushstring(L, "12abc");
    lua_pushboolean(L, 1);
    tr_ScriptArgs args(L);
    double value = 0;
    ASSERT_TRUE(args.GetNumber(1, value));
    EXPECT_DOUBLE_EQ(value, -3.25);
    ASSERT_TRUE(args.GetNumber(2, value));
    EXPECT_DOUBLE_EQ(value, 12.5);
    EXPECT_FALSE(args.GetNumber(3, value));
    EXPECT_FALSE(args.GetNumber(4, value));
    EXPECT_DOUBLE_EQ(args.GetNumberOr(3, 7.0), 7.0);
    EXPECT_DOUBLE_EQ(args.GetNumberOr(9, -1.0), -1.0);
    EXPECT_EQ(lua_type(L, 2), LUA_TSTRING);
}

TEST_F(ScriptArgsTest, FlagsRoundHalvesToEvenAndTextReadsLikeAtoi) {
    const double values[] = {0.5, 1.5, 2.5, -0.5, -1.5, 0.49, 10.6, 1e12};
    const int rounded[] = {0, 2, 2, 0, -2, 0, 11, 2147483647};
    for (double v : values)
        lua_pushnumber(L, v);
    lua_pushstring(L, "3.5");
    lua_pushstring(L, "yes");
    tr_ScriptArgs args(L);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(args.GetFlag(i + 1), rounded[i]) << values[i];
    EXPECT_EQ(args.GetFlag(9), 4);  // a numeric string is a number
    EXPECT_EQ(args.GetFlag(10), 0); // not numeric
    EXPECT_EQ(args.GetFlag(11), 0); // missing

    // Text-to-integer truncates the text form: 1.5 -> "1.5" -> 1.
    EXPECT_EQ(args.GetTextAsInt(2), 1);
    EXPECT_EQ(args.GetTextAsInt(1), 0);
    EXPECT_EQ(args.GetTextAsInt(9), 3);
    EXPECT_EQ(args.GetTextAsInt(10), 0);
    EXPECT_EQ(args.GetTextAsInt(11), 0);
}
