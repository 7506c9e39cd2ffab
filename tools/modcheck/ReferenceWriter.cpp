#include "tools/modcheck/ReferenceWriter.h"

#include "engine/bindings/tr_EngineScriptApi.h"
#include "engine/objects/tr_EngineObjectTypes.h"
#include "engine/objects/tr_ObjectAttributes.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/script/tr_ScriptState.h"
#include "game/app/tp_GameScriptApi.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_BuiltinWidgetTypes.h"
#include "game/interface/tp_Interface.h"
#include "game/level/tp_LevelScriptGlobals.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Without(const std::vector<std::string>& names,
                                 const std::vector<std::string>& taken) {
    std::vector<std::string> rest;
    std::set_difference(names.begin(), names.end(), taken.begin(), taken.end(),
                        std::back_inserter(rest));
    return rest;
}

// Names as a wrapped list of `code` words; a name may carry a note after a
// blank ("endtrig (call)").
void WriteNames(std::FILE* out, const std::vector<std::string>& names) {
    size_t column = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t blank = names[i].find(' ');
        const std::string word = "`" + names[i].substr(0, blank) + "`" +
                                 (blank == std::string::npos ? "" : names[i].substr(blank)) +
                                 (i + 1 < names.size() ? "," : "");
        if (column > 0 && column + 1 + word.size() > 76) {
            std::fputs("\n", out);
            column = 0;
        } else if (column > 0) {
            std::fputs(" ", out);
            ++column;
        }
        std::fputs(word.c_str(), out);
        column += word.size();
    }
    std::fputs("\n\n", out);
}

void WriteTypes(std::FILE* out) {
    tr_ObjectFactory engine_only;
    tr_RegisterEngineObjectTypes(engine_only);
    const std::vector<std::string> engine_types = engine_only.TypeNames();
    const tr_ObjectFactory& factory = tr_ObjectFactory::Get();
    std::fputs("## Object types\n\n"
               "The element names of module files and `ObjCreate`'s first argument, with\n"
               "every attribute the type's class reads (an attribute not listed is ignored\n"
               "by the game and reported by `modcheck`). Attributes marked (call) hold\n"
               "trigger call code: `trg_name`, `trg_name(arguments)` or `*lua code`.\n\n",
               out);
    auto marked = [](const std::vector<std::string>& attributes) {
        std::vector<std::string> names;
        for (const std::string& attribute : attributes)
            names.push_back(attribute +
                            (tr_ObjectAttributes::HoldsCallCode(attribute) ? " (call)" : ""));
        return names;
    };
    // Every type derives from "obj": its attributes are listed once.
    const std::vector<std::string> common = tr_ObjectAttributes::Of(factory, "obj");
    std::fputs("### obj (engine): the attributes of every type\n\n", out);
    WriteNames(out, marked(common));
    for (const std::string& type : factory.TypeNames()) {
        if (type == "obj")
            continue;
        const bool engine = std::binary_search(engine_types.begin(), engine_types.end(), type);
        std::fprintf(out, "### %s (%s)\n\n", type.c_str(), engine ? "engine" : "game");
        const std::vector<std::string> own =
            Without(tr_ObjectAttributes::Of(factory, type), common);
        if (own.empty())
            std::fputs("Only those of every type.\n\n", out);
        else
            WriteNames(out, marked(own));
    }
}

void WriteFunctions(std::FILE* out) {
    tr_ScriptState plain;
    const std::vector<std::string> lua_library = plain.GlobalNames(true);
    tr_ScriptState engine;
    tr_RegisterEngineScriptApi(engine.GetLua());
    const std::vector<std::string> engine_functions =
        Without(engine.GlobalNames(true), lua_library);
    tp_RegisterGameScriptApi(engine.GetLua());
    const std::vector<std::string> game_functions =
        Without(Without(engine.GlobalNames(true), lua_library), engine_functions);
    std::fputs("## Script functions\n\n"
               "Global functions trigger code can call, besides Lua 5.1's standard\n"
               "library; docs/functions.md gives their arguments and results.\n\n"
               "### Engine\n\n",
               out);
    WriteNames(out, engine_functions);
    std::fputs("### Game\n\n", out);
    WriteNames(out, game_functions);
}

void WriteConstants(std::FILE* out) {
    std::fputs("## Script constants\n\n"
               "### Messages\n\n"
               "Numbers for `SendMessage` and the message triggers of interface modules\n"
               "(`trg_<module>_message(number)`).\n\n"
               "| Name | Number |\n|---|---|\n",
               out);
    size_t count = 0;
    const tp_MessageName* messages = tp_GetScriptMessages(&count);
    for (size_t i = 0; i < count; ++i)
        std::fprintf(out, "| `%s` | %d |\n", messages[i].name, messages[i].number);
    std::fputs("\n### Widgets\n\n"
               "Interface widget types; every number from `InterfaceWidget_Custom` up is a\n"
               "widget defined by a script.\n\n"
               "| Name | Number | Object |\n|---|---|---|\n",
               out);
    const tp_BuiltinWidgetType* widgets = tp_GetBuiltinWidgetTypes(&count);
    for (size_t i = 0; i < count; ++i)
        std::fprintf(out, "| `%s` | %d | `%s` |\n", widgets[i].script_constant, widgets[i].type,
                     widgets[i].object_name);
    std::fprintf(out, "| `InterfaceWidget_Custom` | %d | |\n", InterfaceWidget_Custom);
    std::fputs("\n### Cursors\n\n"
               "For `SetCursor`; trigger arguments write them as `~CURSOR_HAND`.\n\n"
               "| Name | Number |\n|---|---|\n",
               out);
    int cursors = 0;
    const tp_CursorConstant* cursor = tp_GetCursorConstants(&cursors);
    for (int i = 0; i < cursors; ++i)
        std::fprintf(out, "| `%s` | %d |\n", cursor[i].name, cursor[i].index);
}

} // namespace

void ReferenceWriter::Write(std::FILE* out) {
    std::fputs("# Author's reference: tables\n\n"
               "Written by `modcheck --reference` from the game's own tables; a test\n"
               "fails when this file and the code disagree, so regenerate it rather than\n"
               "editing it:\n\n"
               "    build/test/apps/tarrow/modcheck --reference >docs/reference.md\n\n"
               "docs/authoring.md explains module files, trigger calls and file formats.\n\n",
               out);
    WriteTypes(out);
    WriteFunctions(out);
    WriteConstants(out);
}
