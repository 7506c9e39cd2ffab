#include "tools/modcheck/ModuleChecker.h"

#include "engine/objects/tr_ObjectAttributes.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/images/tr_PngConverter.h"
#include "engine/resources/text/tr_StringTable.h"
#include "tools/modcheck/CheckReport.h"
#include "tools/modcheck/ResourceProbe.h"
#include "tools/modcheck/Suggestion.h"

#include <tinyxml2.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

namespace {

// The files a "res" may name, by object type: the first that exists wins.
std::vector<std::string> ResourceExtensions(const std::string& type) {
    if (type == "spr" || type == "room" || type == "subroom")
        return {".png", ".jpg", ".xml"};
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

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

// The text of an element as the loader takes it ("" when it has none), and
// the file line that text starts on.
std::string ElementText(const tinyxml2::XMLElement* element, int& line) {
    line = element->GetLineNum();
    const tinyxml2::XMLNode* child = element->FirstChild();
    if (child && child->ToText()) {
        // The parser numbers a text node by its first non-blank character;
        // the text itself keeps the blank lines before it.
        const std::string text = child->Value();
        const size_t first = text.find_first_not_of(" \t\r\n");
        const size_t blank_lines =
            std::count(text.begin(), text.begin() + (first == std::string::npos ? 0 : first), '\n');
        line = std::max(1, child->GetLineNum() - static_cast<int>(blank_lines));
        return text;
    }
    return std::string();
}

// The PNG file named at the end of the decoder's format refusal.
std::string RefusedPng(const std::string& log_line) {
    static const std::string kRefusal = "PNG image is not 32 bit format. File ";
    const size_t at = log_line.find(kRefusal);
    return at == std::string::npos ? std::string() : log_line.substr(at + kRefusal.size());
}

// The font file named by the font loader's complaint that it could not open
// one of a font's files.
std::string UnopenedFont(const std::string& log_line) {
    static const std::string kStart = "Warning: font file ";
    static const std::string kEnd = " could not be opened.";
    if (log_line.compare(0, kStart.size(), kStart) != 0 ||
        log_line.size() <= kStart.size() + kEnd.size() ||
        log_line.compare(log_line.size() - kEnd.size(), kEnd.size(), kEnd) != 0)
        return std::string();
    return log_line.substr(kStart.size(), log_line.size() - kStart.size() - kEnd.size());
}

} // namespace

ModuleChecker::ModuleChecker(CheckReport& report, ContentIndex& index, ResourceProbe* probe)
    : report_(report), index_(index), probe_(probe) {
    const tr_ObjectFactory& factory = tr_ObjectFactory::Get();
    types_ = factory.TypeNames();
    for (const std::string& type : types_)
        attributes_[type] = tr_ObjectAttributes::Of(factory, type);
}

void ModuleChecker::Report(int line, const std::string& message) {
    report_.Add(shown_, line, message);
}

void ModuleChecker::CheckModule(const std::string& path, const std::string& shown) {
    shown_ = shown;
    lines_ = ReadLines(path);
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS) {
        const bool unclosed = document.ErrorID() == tinyxml2::XML_ERROR_MISMATCHED_ELEMENT;
        Report(std::max(1, document.ErrorLineNum()),
               std::string("XML error") +
                   (unclosed ? " (an element opened here is not closed, or closed by another "
                               "element's end tag)"
                             : "") +
                   ": " + document.ErrorStr() + ": the game loads nothing of this module");
        return;
    }
    const tinyxml2::XMLElement* module = document.FirstChildElement("module");
    if (!module || !module->Attribute("name") || !module->FirstChildElement()) {
        Report(module ? module->GetLineNum() : 1,
               "no \"module\" element with a name and content: the game loads nothing of it");
        return;
    }
    for (const tinyxml2::XMLElement* part = module->FirstChildElement(); part;
         part = part->NextSiblingElement()) {
        const std::string kind = part->Name();
        if (kind != "objs" && kind != "trigs" && kind != "code")
            Report(part->GetLineNum(), "\"" + kind +
                                           "\" is not a part of a module (\"objs\", \"trigs\" "
                                           "or \"code\"); the game ignores it" +
                                           Suggestion::DidYouMean(kind, {"objs", "trigs", "code"}));
    }
    if (const tinyxml2::XMLElement* objs = module->FirstChildElement("objs")) {
        const tinyxml2::XMLElement* container = objs->FirstChildElement();
        if (container && container->NextSiblingElement())
            Report(container->NextSiblingElement()->GetLineNum(),
                   "\"objs\" holds more than one element; the game uses the first only");
        // The container itself never enters the scene, only its children;
        // but when the factory cannot make it, none of them is made.
        if (container && !tr_ObjectFactory::Get().IsRegistered(container->Name())) {
            Report(container->GetLineNum(), std::string("the container has the unknown type \"") +
                                                container->Name() +
                                                "\": the game makes none of the module's objects" +
                                                Suggestion::DidYouMean(container->Name(), types_));
        } else if (container) {
            for (const tinyxml2::XMLElement* child = container->FirstChildElement(); child;
                 child = child->NextSiblingElement())
                CheckObject(child);
        }
    }
    if (const tinyxml2::XMLElement* trigs = module->FirstChildElement("trigs"))
        ReadTriggers(trigs);
    if (const tinyxml2::XMLElement* code = module->FirstChildElement("code")) {
        int line = 0;
        const std::string text = ElementText(code, line);
        index_.chunks.push_back({{shown_, line}, "module code", std::string(), text});
    }
}

void ModuleChecker::CheckObject(const tinyxml2::XMLElement* element) {
    const std::string type = element->Name();
    const char* name_text = element->Attribute("name");
    const std::string name = name_text ? name_text : "";
    const int line = element->GetLineNum();
    if (name.empty())
        Report(line, "a \"" + type + "\" object without a name");
    if (!tr_ObjectFactory::Get().IsRegistered(type)) {
        Report(line, "object \"" + name + "\" has the unknown type \"" + type +
                         "\": the game skips it and everything in it" +
                         Suggestion::DidYouMean(type, types_));
        return;
    }
    if (!name.empty()) {
        const auto inserted = index_.objects.insert({name, {shown_, line}});
        if (!inserted.second)
            Report(line, "a second object named \"" + name + "\" (the first is at " +
                             inserted.first->second.file + ":" +
                             std::to_string(inserted.first->second.line) +
                             "): lookups find only one");
    }
    if (type == "room")
        index_.rooms.insert(name);
    else if (type == "subroom")
        index_.subrooms.insert(name);
    CheckAttributes(element, type, name);
    if (const char* res = element->Attribute("res"))
        CheckResource(element, type, name, res);
    CheckTextId(element, type, name);
    CheckCursorPromise(element, name);
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child;
         child = child->NextSiblingElement())
        CheckObject(child);
}

void ModuleChecker::CheckAttributes(const tinyxml2::XMLElement* element, const std::string& type,
                                    const std::string& name) {
    const std::vector<std::string>& known = attributes_[type];
    for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute;
         attribute = attribute->Next()) {
        const std::string key = attribute->Name();
        const int line = AttributeLine(element, attribute->Name());
        if (!std::binary_search(known.begin(), known.end(), key)) {
            Report(line, "object \"" + name + "\" (" + type + "): unknown attribute \"" + key +
                             "\", the game ignores it" + Suggestion::DidYouMean(key, known));
            continue;
        }
        if (tr_ObjectAttributes::HoldsCallCode(key) && *attribute->Value())
            index_.calls.push_back({{shown_, line}, name, key, attribute->Value()});
    }
}

void ModuleChecker::CheckResource(const tinyxml2::XMLElement* element, const std::string& type,
                                  const std::string& name, const std::string& res) {
    const int line = AttributeLine(element, "res");
    const std::string base = tr_ContentPath::NormaliseSeparators(res);
    for (const std::string& extension : ResourceExtensions(type)) {
        if (ExactFileExists(base + extension)) {
            ProbeResource(element, name, res);
            return;
        }
    }
    for (const std::string& extension : ResourceExtensions(type)) {
        if (tr_ContentPath::Exists(base + extension)) {
            Report(line, "object \"" + name + "\": \"" + res + extension +
                             "\" is found only with other letter case");
            return;
        }
    }
    std::string tried;
    for (const std::string& extension : ResourceExtensions(type))
        tried += (tried.empty() ? "" : ", ") + res + extension;
    Report(line,
           "object \"" + name + "\": no file for res \"" + res + "\" (looked for " + tried + ")");
}

void ModuleChecker::ProbeResource(const tinyxml2::XMLElement* element, const std::string& name,
                                  const std::string& res) {
    // Objects sharing a resource share its complaints: report them once.
    if (!probe_ || !probed_.insert(res).second)
        return;
    const int line = AttributeLine(element, "res");
    for (const std::string& complaint : probe_->LoadObject(element)) {
        std::string message = "object \"" + name + "\": " + complaint;
        const std::string font = UnopenedFont(complaint);
        if (!font.empty() && ExactFileExists(font))
            message += " (the file is there, but FreeType cannot read it as a font)";
        const std::string png = RefusedPng(complaint);
        std::string format;
        if (!png.empty() && tr_PngConverter::Describe(png, format, nullptr))
            message += " (it is " + format + "; the engine takes " +
                       tr_PngConverter::AcceptedFormat() + " only: \"modcheck --fix\" converts it)";
        Report(line, message);
    }
}

void ModuleChecker::CheckTextId(const tinyxml2::XMLElement* element, const std::string& type,
                                const std::string& name) {
    if (type != "text" && type != "textedit")
        return;
    // A text-edit field shows its text as typed unless told otherwise.
    if (element->BoolAttribute("disprawtext", type == "textedit"))
        return;
    const char* id = element->Attribute("text");
    const tr_StringTable* strings = tr_StringTable::Get();
    if (id && *id && strings && strings->Size() > 0 && !strings->Find(id))
        Report(AttributeLine(element, "text"), "text \"" + name + "\" shows the id \"" +
                                                   std::string(id) +
                                                   "\", which no string table holds");
}

void ModuleChecker::CheckCursorPromise(const tinyxml2::XMLElement* element,
                                       const std::string& name) {
    // A cursor other than the default one tells the player that a click does
    // something; an object that shows one must answer a click or a drag.
    const char* enter = element->Attribute("event_menter");
    if (!enter)
        return;
    const std::string call = enter;
    bool promises = false;
    for (size_t at = call.find("CURSOR_"); at != std::string::npos && !promises;
         at = call.find("CURSOR_", at + 1))
        promises = call.compare(at, 14, "CURSOR_DEFAULT") != 0;
    if (!promises)
        return;
    for (const char* answer : {"event_mdown", "event_mup", "event_startdrag", "event_dragdrop"})
        if (element->Attribute(answer))
            return;
    Report(AttributeLine(element, "event_menter"),
           "object \"" + name +
               "\" shows a cursor on enter but answers no click (no event_mdown, event_mup, "
               "event_startdrag or event_dragdrop): the player clicks and nothing happens");
}

void ModuleChecker::ReadTriggers(const tinyxml2::XMLElement* trigs) {
    for (const tinyxml2::XMLElement* trig = trigs->FirstChildElement(); trig;
         trig = trig->NextSiblingElement()) {
        const char* name = trig->Attribute("name");
        const int line = trig->GetLineNum();
        if (std::strcmp(trig->Name(), "trig") != 0 || !name || !*name) {
            Report(line, "\"trigs\" holds an element that is not a named \"trig\"");
            continue;
        }
        const auto inserted = index_.triggers.insert({name, {shown_, line}});
        if (!inserted.second) {
            Report(line, std::string("trigger \"") + name + "\" is defined again (first at " +
                             inserted.first->second.file + ":" +
                             std::to_string(inserted.first->second.line) +
                             "); the game keeps the first one");
            continue;
        }
        const tinyxml2::XMLElement* code = trig->FirstChildElement("code");
        if (!code) {
            Report(line, std::string("trigger \"") + name + "\" has no code");
            continue;
        }
        int code_line = 0;
        const std::string text = ElementText(code, code_line);
        index_.chunks.push_back(
            {{shown_, code_line}, std::string("trigger \"") + name + "\"", name, text});
    }
}

int ModuleChecker::AttributeLine(const tinyxml2::XMLElement* element, const char* attribute) const {
    const int start = element->GetLineNum();
    const std::string key = attribute;
    // The element's start tag ends at the first '>' outside a value; its
    // attributes sit on the lines up to there.
    for (int line = start; line >= 1 && line <= static_cast<int>(lines_.size()); ++line) {
        const std::string& text = lines_[line - 1];
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
            const bool starts = at == 0 || std::isspace(static_cast<unsigned char>(text[at - 1]));
            size_t after = at + key.size();
            while (after < text.size() && std::isspace(static_cast<unsigned char>(text[after])))
                ++after;
            if (starts && after < text.size() && text[after] == '=')
                return line;
        }
        if (line - start > 200)
            break;
    }
    return start;
}
