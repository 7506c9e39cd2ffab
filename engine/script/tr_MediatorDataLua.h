// tr_MediatorDataLua: converts Lua tables into message values, shared by
// tr_MediatorDataTable::FromLua and tr_MediatorDataArray::FromLua. Nested
// tables become a Table when their first key (in next() order) is a string,
// an empty Table when empty, an Array otherwise. Tables that contain
// themselves, and nesting deeper than a fixed limit, are skipped with a log
// line rather than recursing without end.
#pragma once

#include <vector>

struct lua_State;
class tr_MediatorData;
class tr_MediatorDataArray;
class tr_MediatorDataTable;

class tr_MediatorDataLua {
public:
    static constexpr int kMaxDepth = 64;

    explicit tr_MediatorDataLua(lua_State* state) : state_(state) {}

    // index may be relative; the Lua stack is left as it was.
    void FillTable(int index, tr_MediatorDataTable& table);
    void FillArray(int index, tr_MediatorDataArray& array);

private:
    // A new value for the Lua value at index, or null when it is not converted.
    tr_MediatorData* Convert(int index);
    tr_MediatorData* ConvertTable(int index);
    bool CanEnter(int index);
    bool Enter(int index);
    void Leave() { path_.pop_back(); }

    lua_State* state_;
    // Tables being converted, outermost first.
    std::vector<const void*> path_;
};
