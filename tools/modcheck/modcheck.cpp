// modcheck: checks game modules before the game runs them. The game forgives
// bad content silently (a missing picture draws nothing, a trigger with a Lua
// syntax error only logs when it is called, a module file that is not there
// loads nothing), so mistakes show up late; this tool finds them at once.
//
//   modcheck [-s STRING_TABLE]... MODULE.xml...
//
// Run it from the game folder (paths in modules are relative to it). The
// modules are checked together, as the game holds them in one trigger
// registry: an event may call a trigger another module defines. Checked:
// the module's XML layout; object types (the engine's and the game's) and
// names; that each "res" names an existing file of the kind its type loads,
// with the exact letter case; string ids of text objects against the string
// tables given with -s; that every trigger an event, room or animation end
// calls is defined; that trigger code, inline event code and module code
// compile. Prints one line per problem; exit status 1 when there is any,
// 2 for bad arguments.
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/text/tr_StringTable.h"
#include "engine/script/tr_ScriptState.h"
#include "game/level/tp_LevelObjectTypes.h"

#include <tinyxml2.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// Attributes whose value is trigger call code (event slots, room hooks, the
// end code of animated sprites and videos).
const char* const kCallAttributes[] = {
    "event_mdown",       "event_mup",       "event_menter",   "event_mleave", "event_menter_drag",
    "event_mleave_drag", "event_startdrag", "event_dragdrop", "event_drag",   "trg_open",
    "trg_close",         "trg_preopen",     "trg_preclose",   "endtrig",
};

// The files a "res" may name, by object type: the first that exists wins.
std::vector<std::string> ResourceExtensions(const std::string& type) {
    if (type == "spr" || type == "room" || type == "subroom")
        return {".png", ".jpg", ".xml"};
    if (type == "anim")
        return {".xml"};
    if (type == "text" || type == "textedit")
        return {".trfnt", ".ttf"};
    if (type == "video")
        return {".ogg"};
    return {".xml"};
}

bool ExactFileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

struct Call {
    std::string file;
    std::string object;
    std::string attribute;
    std::string code;
};

class Checker {
public:
    int Problems() const { return problems_; }

    void Report(const std::string& file, const std::string& message) {
        std::printf("modcheck: %s: %s\n", file.c_str(), message.c_str());
        ++problems_;
    }

    bool LoadStrings(const std::string& path) {
        std::string name = path;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0)
            name.resize(name.size() - 4);
        return tr_StringTable::GetOrCreate()->LoadStringTable(name);
    }

    void CheckModule(const std::string& file) {
        tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
        if (document.LoadFile(file.c_str()) != tinyxml2::XML_SUCCESS) {
            Report(file, std::string("not readable XML: ") + document.ErrorStr());
            return;
        }
        const tinyxml2::XMLElement* module = document.FirstChildElement("module");
        if (!module || !module->Attribute("name") || !module->FirstChildElement()) {
            Report(file, "no \"module\" element with a name and content");
            return;
        }
        if (const tinyxml2::XMLElement* objs = module->FirstChildElement("objs")) {
            const tinyxml2::XMLElement* container = objs->FirstChildElement();
            if (container && container->NextSiblingElement())
                Report(file, "\"objs\" holds more than one element; the game uses the first only");
            if (container)
                CheckObject(file, container);
        }
        if (const tinyxml2::XMLElement* trigs = module->FirstChildElement("trigs")) {
            for (const tinyxml2::XMLElement* trig = trigs->FirstChildElement(); trig;
                 trig = trig->NextSiblingElement())
                CheckTrigger(file, trig);
        }
        if (const tinyxml2::XMLElement* code = module->FirstChildElement("code"))
            CheckLua(file, code->GetText() ? code->GetText() : "", "module code");
    }

    // Every call must name a trigger of one of the modules (or be inline code).
    void CheckCalls() {
        for (const Call& call : calls_) {
            const std::string where = "object \"" + call.object + "\" " + call.attribute;
            if (call.code[0] == '*') {
                CheckLua(call.file, call.code.substr(1), where);
                continue;
            }
            const size_t open = call.code.find('(');
            const std::string name = call.code.substr(0, open);
            if (triggers_.count(name) == 0)
                Report(call.file, where + " calls \"" + name + "\", which no module defines");
            else if (open != std::string::npos && call.code.rfind(')') == std::string::npos)
                Report(call.file, where + " has no closing parenthesis: the game drops the call");
        }
    }

private:
    void CheckObject(const std::string& file, const tinyxml2::XMLElement* element) {
        const std::string type = element->Name();
        const char* name_text = element->Attribute("name");
        const std::string name = name_text ? name_text : "";
        if (name.empty())
            Report(file, "a \"" + type + "\" object without a name");
        if (!tr_ObjectFactory::Get().IsRegistered(type)) {
            Report(file, "object \"" + name + "\" has the unknown type \"" + type +
                             "\": the game skips it and everything in it");
            return;
        }
        if (!name.empty() && !names_.insert(name).second)
            Report(file, "a second object named \"" + name + "\": lookups find only one");
        if (const char* res = element->Attribute("res"))
            CheckResource(file, name, type, res);
        // A text-edit field shows its text as typed unless told otherwise.
        const bool raw = element->BoolAttribute("disprawtext", type == "textedit");
        if ((type == "text" || type == "textedit") && !raw) {
            const char* id = element->Attribute("text");
            const tr_StringTable* strings = tr_StringTable::Get();
            if (id && *id && strings && strings->Size() > 0 && !strings->Find(id))
                Report(file, "text \"" + name + "\" shows the id \"" + std::string(id) +
                                 "\", which no string table holds");
        }
        for (const char* attribute : kCallAttributes) {
            const char* code = element->Attribute(attribute);
            if (code && *code)
                calls_.push_back({file, name, attribute, code});
        }
        for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child;
             child = child->NextSiblingElement())
            CheckObject(file, child);
    }

    void CheckResource(const std::string& file, const std::string& object, const std::string& type,
                       const std::string& res) {
        const std::string base = tr_ContentPath::NormaliseSeparators(res);
        for (const std::string& extension : ResourceExtensions(type)) {
            if (ExactFileExists(base + extension))
                return;
        }
        for (const std::string& extension : ResourceExtensions(type)) {
            if (tr_ContentPath::Exists(base + extension)) {
                Report(file, "object \"" + object + "\": \"" + res + extension +
                                 "\" is found only with other letter case");
                return;
            }
        }
        Report(file, "object \"" + object + "\": no file for res \"" + res + "\"");
    }

    void CheckTrigger(const std::string& file, const tinyxml2::XMLElement* trig) {
        const char* name = trig->Attribute("name");
        if (std::strcmp(trig->Name(), "trig") != 0 || !name || !*name) {
            Report(file, "\"trigs\" holds an element that is not a named \"trig\"");
            return;
        }
        if (!triggers_.insert(name).second)
            Report(file, std::string("trigger \"") + name +
                             "\" is defined again; the game keeps the first one");
        const tinyxml2::XMLElement* code = trig->FirstChildElement("code");
        if (!code)
            Report(file, std::string("trigger \"") + name + "\" has no code");
        else
            CheckLua(file, code->GetText() ? code->GetText() : "",
                     std::string("trigger \"") + name + "\"");
    }

    void CheckLua(const std::string& file, const std::string& code, const std::string& what) {
        std::string error;
        if (!lua_.CompileChunk(code, what, &error))
            Report(file, what + " does not compile: " + error);
    }

    tr_ScriptState lua_;
    std::set<std::string> names_;
    std::set<std::string> triggers_;
    std::vector<Call> calls_;
    int problems_ = 0;
};

int Usage() {
    std::fprintf(stderr, "usage: modcheck [-s STRING_TABLE]... MODULE.xml...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    tp_RegisterLevelObjectTypes();
    Checker checker;
    std::vector<std::string> modules;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-s") {
            if (++i == argc)
                return Usage();
            if (!checker.LoadStrings(argv[i]))
                return 2;
        } else if (!argument.empty() && argument[0] == '-') {
            return Usage();
        } else {
            modules.push_back(argument);
        }
    }
    if (modules.empty())
        return Usage();
    for (const std::string& module : modules)
        checker.CheckModule(module);
    checker.CheckCalls();
    if (checker.Problems() > 0)
        return 1;
    std::printf("modcheck: %zu modules ok\n", modules.size());
    return 0;
}
