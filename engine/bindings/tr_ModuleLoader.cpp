#include "engine/bindings/tr_ModuleLoader.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_ScriptSource.h"
#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <tinyxml2.h>

#include <memory>
#include <vector>

namespace {

// What a module file declares, gathered before anything is applied so that
// a malformed file changes nothing.
struct ModuleContents {
    std::string name;
    std::unique_ptr<tr_Object> root;
    std::vector<std::unique_ptr<tr_Trigger>> triggers;
    std::string code;
    tr_ScriptSource code_source;
};

std::string ElementText(const tinyxml2::XMLElement* element) {
    const char* text = element ? element->GetText() : nullptr;
    return text ? text : "";
}

// tinyxml2 reports the line of an error but not its column: the column given
// is where the content of that line starts, counted from 1.
int ErrorColumn(const std::vector<char>& data, int line) {
    int current = 1;
    size_t i = 0;
    while (i < data.size() && current < line) {
        if (data[i++] == '\n')
            ++current;
    }
    int column = 1;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t')) {
        ++i;
        ++column;
    }
    return column;
}

// Objects named like a scene root would take the root's place in name
// lookups (ObjAttach(x, "tr_origin") would then park x out of sight), so they
// are dropped with their subtrees.
void DropRootNamesakes(tr_Object* parent, const tr_Scene& scene, const std::string& file_name) {
    const std::vector<tr_Object*> children = parent->GetChildren();
    for (tr_Object* child : children) {
        const std::string& name = child->GetName();
        if (name == scene.GetDisplayRoot()->GetName() ||
            name == scene.GetStorageRoot()->GetName()) {
            tr_Log("Warning: module %s object %s skipped: the name belongs to a scene root",
                   file_name.c_str(), name.c_str());
            delete tr_Object::RemoveChild(parent, child, false);
        } else {
            DropRootNamesakes(child, scene, file_name);
        }
    }
}

void Gather(const tinyxml2::XMLDocument& document, const std::string& path,
            const std::string& file_name, ModuleContents& module) {
    const tinyxml2::XMLElement* element = document.FirstChildElement("module");
    const char* name = element ? element->Attribute("name") : nullptr;
    module.name = element ? (name ? name : "") : path;
    const tinyxml2::XMLNode* scope = &document;
    if (element && element->FirstChildElement())
        scope = element;

    if (const tinyxml2::XMLElement* objs = scope->FirstChildElement("objs"))
        module.root.reset(tr_ObjectFactory::Get().CreateFromElement(objs->FirstChildElement()));

    if (const tinyxml2::XMLElement* trigs = scope->FirstChildElement("trigs")) {
        for (const tinyxml2::XMLElement* trig = trigs->FirstChildElement("trig"); trig;
             trig = trig->NextSiblingElement("trig")) {
            const char* trigger_name = trig->Attribute("name");
            const tinyxml2::XMLElement* code = trig->FirstChildElement("code");
            module.triggers.push_back(
                std::make_unique<tr_Trigger>(trigger_name ? trigger_name : "", ElementText(code),
                                             tr_ScriptSource::OfElementText(file_name, code)));
        }
    }
    if (const tinyxml2::XMLElement* code = scope->FirstChildElement("code")) {
        module.code = ElementText(code);
        module.code_source = tr_ScriptSource::OfElementText(file_name, code);
    }
}

void Apply(ModuleContents& module, const std::string& file_name, tr_EngineCore& core) {
    if (module.root) {
        DropRootNamesakes(module.root.get(), core.GetScene(), file_name);
        tr_Object* storage = core.GetScene().GetStorageRoot();
        while (!module.root->GetChildren().empty())
            tr_Object::Attach(storage, module.root->GetChildren().front());
        module.root.reset();
    }
    for (std::unique_ptr<tr_Trigger>& trigger : module.triggers)
        core.GetTriggers().AddTrigger(std::move(trigger));
    if (!module.code.empty()) {
        std::string error;
        const tr_ScriptSource& source = module.code_source;
        if (!core.GetScript().RunChunk(source.Placed(module.code), source.ChunkName(file_name),
                                       &error))
            tr_Log("Warning: module %s code failed: %s", file_name.c_str(), error.c_str());
    }
}

} // namespace

namespace {

// Reads and parses the module file at path (no extension) into document;
// false, with the log line, when it is missing or malformed.
bool ParseModule(const std::string& file_name, tinyxml2::XMLDocument& document) {
    std::vector<char> data;
    if (!tr_ContentPath::ReadBinary(file_name, data, tr_FileReader::KIND_MODULE)) {
        tr_Log("Warning: module file %s not found", file_name.c_str());
        return false;
    }
    if (document.Parse(data.data(), data.size()) != tinyxml2::XML_SUCCESS) {
        const int line = document.ErrorLineNum() > 0 ? document.ErrorLineNum() : 1;
        tr_Log("Error while parsing xml file: %s. Description: %s, line: %d, pos: %d",
               file_name.c_str(), document.ErrorStr(), line, ErrorColumn(data, line));
        return false;
    }
    return true;
}

std::string ModuleFileName(const std::string& path) {
    return tr_ContentPath::NormaliseSeparators(path) + ".xml";
}

} // namespace

bool tr_LoadModule(const std::string& path) {
    const std::string file_name = ModuleFileName(path);
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (!ParseModule(file_name, document))
        return false;
    ModuleContents module;
    Gather(document, path, file_name, module);
    Apply(module, file_name, *tr_EngineCore::Get());
    return true;
}

bool tr_ModuleParses(const std::string& path) {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    return ParseModule(ModuleFileName(path), document);
}
