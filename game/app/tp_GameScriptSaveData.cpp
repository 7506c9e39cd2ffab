#include "game/app/tp_GameScriptSaveData.h"

#include "engine/core/tr_Log.h"
#include "game/app/tp_SaveGameEntry.h"
#include "game/app/tp_SaveGameFile.h"

#include <lua.hpp>
#include <tinyxml2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

class Writer {
public:
    explicit Writer(lua_State* L) : L_(L) {}

    // The entries of the table on top of the stack, numbered keys first in
    // ascending order, then the others by their text: a table's traversal
    // order depends on how it was filled, and the same data must always save
    // to the same bytes (a resumed game and an unbroken one compare equal).
    void WriteTable(std::string& out) {
        path_.push_back(lua_topointer(L_, -1));
        // The keys as they are, in a list of their own beside the table.
        lua_newtable(L_);
        std::vector<std::pair<tp_SaveGameKey, int>> order;
        lua_pushnil(L_);
        while (lua_next(L_, -3) != 0) {
            lua_pop(L_, 1);
            order.emplace_back(KeyAt(-1), int(order.size()) + 1);
            lua_pushvalue(L_, -1);
            lua_rawseti(L_, -3, order.back().second);
        }
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            if (a.first.is_number != b.first.is_number)
                return a.first.is_number;
            return a.first.is_number ? a.first.number < b.first.number
                                     : a.first.text < b.first.text;
        });
        for (const auto& entry : order) {
            lua_rawgeti(L_, -1, entry.second);
            lua_pushvalue(L_, -1);
            lua_rawget(L_, -4);
            WriteEntry(out);
            lua_pop(L_, 2);
        }
        lua_pop(L_, 1);
        path_.pop_back();
    }

private:
    // Key at -2, value at -1; both stay.
    void WriteEntry(std::string& out) {
        const int type = lua_type(L_, -1);
        char letter = 0;
        if (type == LUA_TBOOLEAN)
            letter = 'b';
        else if (type == LUA_TNUMBER)
            letter = 'n';
        else if (type == LUA_TSTRING)
            letter = 's';
        else if (type == LUA_TTABLE && CanEnter())
            letter = 't';
        else
            return;
        const std::string name = tp_SaveGameEntry::AppendOpen(out, letter, KeyAt(-2));
        if (letter == 't') {
            out += '>';
            WriteTable(out);
            out += "</";
            out += name;
            out += '>';
            return;
        }
        out += " v=\"";
        if (letter == 'b') {
            out += lua_toboolean(L_, -1) ? '1' : '0';
        } else if (letter == 'n') {
            tp_SaveGameEntry::AppendNumber(out, lua_tonumber(L_, -1));
        } else {
            // Text in an attribute ends at a zero byte.
            const char* text = lua_tostring(L_, -1);
            const size_t size = std::strlen(text);
            if (size == 0)
                out += ' ';
            tp_SaveGameEntry::AppendEscaped(out, text, size);
        }
        out += "\"/>";
    }

    // Whether the table on top of the stack may be written below the open
    // ones: not one of them, and not too deep.
    bool CanEnter() {
        const void* self = lua_topointer(L_, -1);
        for (const void* open : path_) {
            if (open == self) {
                LogOnce(cycle_logged_, "Error: profile data: a table inside tp_global contains "
                                       "itself; the repeat is not saved.");
                return false;
            }
        }
        if (int(path_.size()) >= tp_GameScriptSaveData::kMaxDepth || !lua_checkstack(L_, 6)) {
            LogOnce(depth_logged_, "Error: profile data: tables inside tp_global nest deeper "
                                   "than 64; the deeper ones are not saved.");
            return false;
        }
        return true;
    }

    tp_SaveGameKey KeyAt(int index) const {
        const int type = lua_type(L_, index);
        if (type == LUA_TNUMBER)
            return tp_SaveGameKey::Number(lua_tonumber(L_, index));
        if (type == LUA_TSTRING) {
            size_t size = 0;
            const char* text = lua_tolstring(L_, index, &size);
            return tp_SaveGameKey::String(std::string(text, size));
        }
        return tp_SaveGameKey::Number(0);
    }

    static void LogOnce(bool& logged, const char* line) {
        if (!logged)
            tr_Log("%s", line);
        logged = true;
    }

    lua_State* L_;
    std::vector<const void*> path_;
    bool cycle_logged_ = false;
    bool depth_logged_ = false;
};

// Fills the table on top of the stack from the children of parent.
void ReadTable(lua_State* L, const tinyxml2::XMLElement& parent, int depth, bool& depth_logged) {
    if (depth >= tp_GameScriptSaveData::kMaxDepth || !lua_checkstack(L, 4)) {
        if (!depth_logged)
            tr_Log("Error: profile data: tables nest deeper than 64; the deeper ones are not "
                   "loaded.");
        depth_logged = true;
        return;
    }
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const char letter = child->Name()[0];
        if (letter != 'b' && letter != 'n' && letter != 's' && letter != 't')
            continue;
        const tp_SaveGameKey key = tp_SaveGameEntry::ReadKey(*child);
        if (key.is_number && key.number != key.number)
            continue; // a NaN key cannot be stored
        if (key.is_number)
            lua_pushnumber(L, key.number);
        else
            lua_pushlstring(L, key.text.data(), key.text.size());
        const char* value = child->Attribute("v");
        if (!value)
            value = "";
        if (letter == 'b') {
            lua_pushboolean(L, std::atoi(value) != 0);
        } else if (letter == 'n') {
            lua_pushnumber(L, std::strtod(value, nullptr));
        } else if (letter == 's') {
            lua_pushstring(L, std::strcmp(value, " ") == 0 ? "" : value);
        } else {
            lua_newtable(L);
            ReadTable(L, *child, depth + 1, depth_logged);
        }
        lua_rawset(L, -3);
    }
}

} // namespace

std::string tp_GameScriptSaveData::SaveGlobal(lua_State* L) {
    std::string out = tp_SaveGameFile::kDocumentStart;
    lua_getglobal(L, kGlobalName);
    if (lua_istable(L, -1)) {
        Writer writer(L);
        writer.WriteTable(out);
    }
    lua_pop(L, 1);
    out += tp_SaveGameFile::kDocumentEnd;
    return out;
}

void tp_GameScriptSaveData::LoadGlobal(lua_State* L, const tinyxml2::XMLElement& data) {
    lua_getglobal(L, kGlobalName);
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushvalue(L, -1);
        lua_setglobal(L, kGlobalName);
    }
    bool depth_logged = false;
    ReadTable(L, data, 0, depth_logged);
    lua_pop(L, 1);
}
