// ModuleChecker: reads module files the way the module loader does and
// checks what the loader would silently drop or get wrong: XML that does not
// parse, the module's layout, object types, names and attribute names (each
// against what the type's class reads, with a suggestion for a misspelling),
// the files each "res" names (loaded through a ResourceProbe, so a picture
// the engine refuses is found with the engine's reason) and the string ids
// of text objects, and objects that show a cursor but answer no click. Triggers, calls and Lua code
// are gathered into the ContentIndex for ScriptChecker. Findings go to the report; the index, the
// report and the probe are not owned and must outlive the checker.
#pragma once

#include "tools/modcheck/ContentIndex.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}
class CheckReport;
class ResourceProbe;

class ModuleChecker {
public:
    ModuleChecker(CheckReport& report, ContentIndex& index, ResourceProbe* probe);

    // path is opened as given (relative to the game's working folder);
    // shown is how findings name the file.
    void CheckModule(const std::string& path, const std::string& shown);

    // Every attribute of every type, from the object factory.
    const std::map<std::string, std::vector<std::string>>& Attributes() const {
        return attributes_;
    }

private:
    void CheckObject(const tinyxml2::XMLElement* element);
    void CheckAttributes(const tinyxml2::XMLElement* element, const std::string& type,
                         const std::string& name);
    void CheckResource(const tinyxml2::XMLElement* element, const std::string& type,
                       const std::string& name, const std::string& res);
    void ProbeResource(const tinyxml2::XMLElement* element, const std::string& name,
                       const std::string& res);
    void CheckTextId(const tinyxml2::XMLElement* element, const std::string& type,
                     const std::string& name);
    // An object whose enter call shows a cursor but that takes no click.
    void CheckCursorPromise(const tinyxml2::XMLElement* element, const std::string& name);
    void ReadTriggers(const tinyxml2::XMLElement* trigs);
    // The line an attribute of element is written on (the element's own
    // line when it cannot be found in the text).
    int AttributeLine(const tinyxml2::XMLElement* element, const char* attribute) const;
    void Report(int line, const std::string& message);

    CheckReport& report_;
    ContentIndex& index_;
    ResourceProbe* probe_;
    std::map<std::string, std::vector<std::string>> attributes_;
    std::vector<std::string> types_;
    std::set<std::string> probed_;
    // The module being checked.
    std::string shown_;
    std::vector<std::string> lines_;
};
