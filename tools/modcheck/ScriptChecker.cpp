#include "tools/modcheck/ScriptChecker.h"

#include "engine/bindings/tr_EngineScriptApi.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/media/tr_VorbisDecoder.h"
#include "engine/resources/text/tr_StringTable.h"
#include "engine/script/tr_ScriptLines.h"
#include "engine/script/tr_ScriptSource.h"
#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"
#include "game/app/tp_GameScriptApi.h"
#include "game/interface/tp_InterfaceScriptGlobals.h"
#include "tools/modcheck/CheckReport.h"
#include "tools/modcheck/LuaLiterals.h"
#include "tools/modcheck/Suggestion.h"

#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <set>
#include <vector>

namespace {

// What the first argument of a script function names.
enum class Names { Room, SubRoom, StringId, Sound, Module };

struct NamingFunction {
    const char* function;
    Names names;
};

const NamingFunction kNamingFunctions[] = {
    {"SwitchRoom", Names::Room},      {"OpenSubRoom", Names::SubRoom},
    {"StringGet", Names::StringId},   {"SndPlay", Names::Sound},
    {"PlaySfx", Names::Sound},        {"PlayEnv", Names::Sound},
    {"PlaySoundtrack", Names::Sound}, {"PlayVoice", Names::Sound},
    {"ModLoad", Names::Module},       {"SwitchLevel", Names::Module},
};

bool ExactFileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> Keys(const std::map<std::string, ContentPlace>& map) {
    std::vector<std::string> keys;
    for (const auto& entry : map)
        keys.push_back(entry.first);
    return keys;
}

// The argument indexes a trigger's code hands on to SwitchRoom or
// OpenSubRoom as "tr_params.param_N", with whether it opens a sub-room.
std::vector<std::pair<size_t, bool>> ForwardedRooms(const std::string& code) {
    std::vector<std::pair<size_t, bool>> forwarded;
    static const std::string kParam = "tr_params.param_";
    for (const char* function : {"SwitchRoom", "OpenSubRoom"}) {
        const std::string name = function;
        for (size_t at = code.find(name); at != std::string::npos; at = code.find(name, at + 1)) {
            size_t i = at + name.size();
            while (i < code.size() && std::isspace(static_cast<unsigned char>(code[i])))
                ++i;
            if (i >= code.size() || code[i] != '(')
                continue;
            ++i;
            while (i < code.size() && std::isspace(static_cast<unsigned char>(code[i])))
                ++i;
            if (code.compare(i, kParam.size(), kParam) != 0)
                continue;
            i += kParam.size();
            size_t index = 0;
            const size_t digits = i;
            while (i < code.size() && std::isdigit(static_cast<unsigned char>(code[i])) &&
                   i - digits < 3)
                index = index * 10 + static_cast<size_t>(code[i++] - '0');
            if (i > digits)
                forwarded.push_back({index, name == "OpenSubRoom"});
        }
    }
    return forwarded;
}

} // namespace

ScriptChecker::ScriptChecker(CheckReport& report, const ContentIndex& index)
    : report_(report), index_(index) {}

void ScriptChecker::Run() {
    CompileChunks();
    CheckCalls();
    for (const ContentIndex::Chunk& chunk : index_.chunks)
        CheckLiterals(chunk);
    CheckRoomArguments();
    CheckFunctionNames();
    for (const auto& required : index_.required_triggers) {
        if (index_.triggers.count(required.second) == 0)
            report_.Add(required.first.file, required.first.line,
                        "the start trigger \"" + required.second + "\" is defined by no module" +
                            Suggestion::DidYouMean(required.second, Keys(index_.triggers)));
    }
}

void ScriptChecker::CompileChunks() {
    tr_ScriptState lua;
    for (const ContentIndex::Chunk& chunk : index_.chunks) {
        // Placed as the game places it, so Lua names the module's own line.
        const tr_ScriptSource source(chunk.place.file, chunk.place.line);
        std::string error;
        bool compiled = false;
        if (!chunk.trigger.empty()) {
            tr_Trigger trigger(chunk.trigger, chunk.code, source);
            trigger.BindScript(&lua);
            compiled = trigger.Compile(&error);
        } else {
            compiled = lua.CompileChunk(source.Placed(chunk.code),
                                        source.ChunkName(chunk.place.file), &error);
        }
        if (!compiled) {
            const int line = tr_ScriptLines::ChunkLine(error);
            report_.Add(chunk.place.file, line > 0 ? line : chunk.place.line,
                        chunk.what + " does not compile: " + tr_ScriptLines::Text(error));
        }
    }
}

void ScriptChecker::CheckCalls() {
    tr_ScriptState lua;
    const std::vector<std::string> triggers = Keys(index_.triggers);
    for (const ContentIndex::Call& call : index_.calls) {
        const std::string where = "object \"" + call.object + "\" " + call.attribute;
        if (call.code[0] == '*') {
            std::string error;
            if (!lua.CompileChunk(call.code.substr(1), call.attribute, &error))
                report_.Add(call.place.file, call.place.line,
                            where + " does not compile: " + tr_ScriptLines::Text(error));
            continue;
        }
        const size_t open = call.code.find('(');
        const std::string name = call.code.substr(0, open);
        if (index_.triggers.count(name) == 0)
            report_.Add(call.place.file, call.place.line,
                        where + " calls \"" + name + "\", which no module defines" +
                            Suggestion::DidYouMean(name, triggers));
        else if (open != std::string::npos && call.code.rfind(')') == std::string::npos)
            report_.Add(call.place.file, call.place.line,
                        where + " has no closing parenthesis: the game drops the call");
    }
}

void ScriptChecker::CheckLiterals(const ContentIndex::Chunk& chunk) {
    const tr_StringTable* strings = tr_StringTable::Get();
    for (const LuaLiterals::Call& call : LuaLiterals::Find(chunk.code).calls) {
        const NamingFunction* naming = nullptr;
        for (const NamingFunction& candidate : kNamingFunctions) {
            if (call.function == candidate.function)
                naming = &candidate;
        }
        if (!naming)
            continue;
        const ContentPlace place{chunk.place.file, chunk.place.line + call.line};
        const std::string& value = call.literal;
        switch (naming->names) {
        case Names::Room:
            if (!index_.rooms.count(value) && !index_.subrooms.count(value)) {
                std::vector<std::string> known(index_.rooms.begin(), index_.rooms.end());
                known.insert(known.end(), index_.subrooms.begin(), index_.subrooms.end());
                report_.Add(place.file, place.line,
                            call.function + "(\"" + value +
                                "\"): no room or sub-room has that name" +
                                Suggestion::DidYouMean(value, known));
            }
            break;
        case Names::SubRoom:
            if (!index_.subrooms.count(value))
                report_.Add(place.file, place.line,
                            call.function + "(\"" + value + "\"): no sub-room has that name" +
                                Suggestion::DidYouMean(
                                    value, std::vector<std::string>(index_.subrooms.begin(),
                                                                    index_.subrooms.end())));
            break;
        case Names::StringId:
            if (strings && strings->Size() > 0 && !strings->Find(value))
                report_.Add(place.file, place.line,
                            call.function + "(\"" + value + "\"): no string table holds that id");
            break;
        case Names::Sound:
            CheckFile(place, call.function, value, ".ogg", "sound");
            break;
        case Names::Module:
            CheckFile(place, call.function, value, ".xml", "module");
            break;
        }
    }
}

// A trigger that hands its argument on to SwitchRoom / OpenSubRoom
// (trg_exit(garden) running SwitchRoom(tr_params.param_0)) names a room in
// each call of it.
void ScriptChecker::CheckRoomArguments() {
    for (const ContentIndex::Chunk& chunk : index_.chunks) {
        if (chunk.trigger.empty())
            continue;
        const std::string& trigger = chunk.trigger;
        for (const auto& forward : ForwardedRooms(chunk.code)) {
            const size_t index = forward.first;
            const bool sub_only = forward.second;
            for (const ContentIndex::Call& call : index_.calls) {
                const size_t open = call.code.find('(');
                const size_t close = call.code.rfind(')');
                if (open != trigger.size() || close == std::string::npos || close < open ||
                    call.code.compare(0, open, trigger) != 0)
                    continue;
                const std::vector<std::string> arguments = tr_TriggerRegistry::SplitArguments(
                    call.code.substr(open + 1, close - open - 1));
                if (index >= arguments.size() || arguments[index].empty() ||
                    arguments[index][0] == '~')
                    continue;
                const std::string& room = arguments[index];
                const bool known =
                    index_.subrooms.count(room) || (!sub_only && index_.rooms.count(room));
                if (!known)
                    report_.Add(call.place.file, call.place.line,
                                "object \"" + call.object + "\" " + call.attribute + " passes \"" +
                                    room + "\" to " + trigger + ", which opens it as a " +
                                    (sub_only ? "sub-room" : "room") +
                                    ": no such room or sub-room");
            }
        }
    }
}

void ScriptChecker::CheckFunctionNames() {
    // The globals a running game defines before content code runs.
    tr_ScriptState api;
    tr_RegisterEngineScriptApi(api.GetLua());
    tp_RegisterGameScriptApi(api.GetLua());
    tp_RegisterMessageGlobals(api);
    tp_RegisterWidgetGlobals(api);

    const std::vector<std::string> globals = api.GlobalNames(false);
    std::set<std::string> defined(globals.begin(), globals.end());
    for (const auto& trigger : index_.triggers)
        defined.insert(trigger.first);
    std::vector<std::pair<const ContentIndex::Chunk*, LuaLiterals::Name>> calls;
    for (const ContentIndex::Chunk& chunk : index_.chunks) {
        for (const LuaLiterals::Name& name : LuaLiterals::Find(chunk.code).names) {
            if (name.called && !name.declared)
                calls.push_back({&chunk, name});
            else
                defined.insert(name.name);
        }
    }
    const std::vector<std::string> known(defined.begin(), defined.end());
    std::set<std::string> reported;
    for (const auto& call : calls) {
        const std::string& name = call.second.name;
        if (defined.count(name) || !reported.insert(name).second)
            continue;
        report_.Add(call.first->place.file, call.first->place.line + call.second.line,
                    call.first->what + " calls " + name +
                        "(), which is no script function and is defined nowhere" +
                        Suggestion::DidYouMean(name, known));
    }
}

void ScriptChecker::CheckFile(const ContentPlace& place, const std::string& function,
                              const std::string& path, const char* extension, const char* kind) {
    const std::string file = tr_ContentPath::NormaliseSeparators(path) + extension;
    if (ExactFileExists(file)) {
        // A sound must also open as the mixer opens it (8 channels at most,
        // the SDL mixer's limit).
        tr_VorbisDecoder decoder;
        if (std::strcmp(kind, "sound") == 0 && !decoder.OpenFile(file.c_str(), 8))
            report_.Add(place.file, place.line,
                        function + "(\"" + path + "\"): " + file +
                            " cannot be played: " + decoder.Error());
        return;
    }
    if (tr_ContentPath::Exists(file))
        report_.Add(place.file, place.line,
                    function + "(\"" + path + "\"): " + file +
                        " is found only with other letter case");
    else
        report_.Add(place.file, place.line,
                    function + "(\"" + path + "\"): no " + kind + " file " + file);
}
