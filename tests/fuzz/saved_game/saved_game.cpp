// Saved games: the checksum line, the document, and its data merged into a
// Lua state's tp_global and written back out, from any bytes. The checksum
// is made right first (as a hand-edited file signed with savecheck has it),
// so that mutations reach the document and the merge.
#include "game/app/tp_GameScriptSaveData.h"
#include "game/app/tp_SaveGameFile.h"

#include <lua.hpp>
#include <tinyxml2.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    tp_SaveGameFile::Verify(bytes, size);
    const std::string signed_file = tp_SaveGameFile::Resign(bytes, size);
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = nullptr;
    if (tp_SaveGameFile::Open(signed_file.data(), signed_file.size(), document, &element) !=
            tp_SaveGameFile::OK ||
        !element)
        return 0;
    lua_State* L = luaL_newstate();
    tp_GameScriptSaveData::LoadGlobal(L, *element);
    tp_GameScriptSaveData::SaveGlobal(L);
    lua_close(L);
    return 0;
}
