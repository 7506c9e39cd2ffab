#include "engine/objects/tr_ObjectFactory.h"

#include "engine/core/tr_SLHelper_XML.h"
#include "engine/objects/tr_EngineObjectTypes.h"
#include "engine/scene/tr_Object.h"

#include <tinyxml2.h>

#include <utility>

tr_ObjectFactory& tr_ObjectFactory::Get() {
    static tr_ObjectFactory* factory = [] {
        auto* made = new tr_ObjectFactory;
        tr_RegisterEngineObjectTypes(*made);
        return made;
    }();
    return *factory;
}

void tr_ObjectFactory::RegisterType(const std::string& type, Creator creator) {
    if (creator)
        creators_[type] = std::move(creator);
    else
        creators_.erase(type);
}

bool tr_ObjectFactory::IsRegistered(const std::string& type) const {
    return creators_.count(type) > 0;
}

std::vector<std::string> tr_ObjectFactory::TypeNames() const {
    std::vector<std::string> names;
    for (const auto& entry : creators_)
        names.push_back(entry.first);
    return names;
}

tr_Object* tr_ObjectFactory::CreateObject(const std::string& type, const std::string& name) const {
    const auto found = creators_.find(type);
    if (found == creators_.end())
        return nullptr;
    tr_Object* object = found->second();
    if (object)
        object->SetName(name);
    return object;
}

tr_Object* tr_ObjectFactory::CreateFromElement(const tinyxml2::XMLElement* element) const {
    if (!element)
        return nullptr;
    const char* name = element->Attribute("name");
    tr_Object* object = CreateObject(element->Name(), name ? name : "");
    if (!object)
        return nullptr;
    // The helper only reads attributes; it takes a mutable element because it
    // also writes when saving.
    tr_SLHelper_XML helper(const_cast<tinyxml2::XMLElement*>(element));
    object->Load(helper);
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (tr_Object* made = CreateFromElement(child))
            tr_Object::AddChild(object, made);
    }
    return object;
}
