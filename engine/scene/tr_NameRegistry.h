// tr_NameRegistry: the process-wide map from object name to object. Objects
// enter it when attached (tr_Object::AddChild), replacing an earlier object of
// the same name. Entries are weak references, so an entry never outlives its
// object, whatever the object was renamed to since.
#pragma once

#include <string>

class tr_Object;

class tr_NameRegistry {
public:
    static void Enter(const std::string& name, tr_Object* object);
    // The object entered under name, or null when none or it is gone.
    static tr_Object* Lookup(const std::string& name);
    // Nulls the entry of name, keeping the key (destruction of an object).
    static void Clear(const std::string& name);
    // Forgets every entry (the scene going away).
    static void ClearAll();
    static size_t Size();
};
