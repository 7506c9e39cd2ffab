// tr_SLHelper_Lua: serialization helper over the fields of the Lua table on
// top of a Lua stack (ObjSet / ObjGet, scripted particle systems). The state
// is not owned; the table must stay on top of the stack for the helper's
// whole use, and nothing else may change the stack meanwhile.
//
// Reads convert loosely, as scripts expect: integers round to the nearest
// value with halves to even (10.6 -> 11, 2.5 -> 2) and accept numeric strings;
// booleans accept Lua booleans, numbers (nonzero is true) and strings
// (text-to-integer, nonzero is true, so "0" is false); strings accept numbers
// in their Lua text form. A value of another type reads as 0 / false / "".
#pragma once

#include "engine/core/tr_SLHelper.h"

struct lua_State;

class tr_SLHelper_Lua : public tr_SLHelper {
public:
    explicit tr_SLHelper_Lua(lua_State* state) : state_(state) {}

    void WriteString(const char* key, const std::string& value) override;
    void WriteFloat(const char* key, const float& value) override;
    void WriteInt(const char* key, const int& value) override;
    void WriteInt2(const char* key, const int& value) override;
    void WriteBool(const char* key, const bool& value) override;
    bool ReadString(const char* key, std::string& value) override;
    bool ReadFloat(const char* key, float& value) override;
    bool ReadInt(const char* key, int& value) override;
    bool ReadInt2(const char* key, int& value) override;
    bool ReadBool(const char* key, bool& value) override;

    // Nearest int, halves to the even neighbour, saturated; NaN gives 0.
    static int RoundHalfEven(double value);

private:
    // Pushes t[key]; false (nothing pushed) when the top is not a table or
    // t[key] is nil.
    bool PushField(const char* key);
    // Sets t[key] to the value on top of the stack (popping it).
    void SetField(const char* key);

    lua_State* state_;
};
