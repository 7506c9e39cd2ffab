// tr_ObjectFactory: the process-wide table from type name (the element names
// of module files, ObjCreate's first argument) to a creator of a new object
// with default attributes. Get() makes the table on first use with the
// engine's own types (tr_RegisterEngineObjectTypes); the application adds its
// types afterwards. Registering a name again replaces its creator.
// Objects returned by CreateObject / CreateFromElement belong to the caller
// until attached to a tree.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}

class tr_Object;

class tr_ObjectFactory {
public:
    using Creator = std::function<tr_Object*()>;

    // An empty factory (tests); the process's one comes from Get().
    tr_ObjectFactory() = default;
    static tr_ObjectFactory& Get();

    void RegisterType(const std::string& type, Creator creator);
    bool IsRegistered(const std::string& type) const;
    // Every registered type name, sorted (checkers and generated reference).
    std::vector<std::string> TypeNames() const;

    // A new object of type named name; null when the type is unknown.
    tr_Object* CreateObject(const std::string& type, const std::string& name) const;
    // The object of element (type = element name, attributes loaded through
    // the XML helper) with its child elements as children, in document
    // order. Null for an unknown type: the element and its subtree are
    // skipped, its siblings are not affected.
    tr_Object* CreateFromElement(const tinyxml2::XMLElement* element) const;

private:
    std::map<std::string, Creator> creators_;
};
