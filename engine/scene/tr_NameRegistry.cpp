#include "engine/scene/tr_NameRegistry.h"

#include "engine/scene/tr_ObjectRef.h"

#include <unordered_map>

namespace {

using Map = std::unordered_map<std::string, tr_ObjectRef>;

// Never freed: objects destroyed during static destruction may still ask.
Map& Entries() {
    static Map* entries = new Map;
    return *entries;
}

} // namespace

void tr_NameRegistry::Enter(const std::string& name, tr_Object* object) {
    Entries()[name].Set(object);
}

tr_Object* tr_NameRegistry::Lookup(const std::string& name) {
    const Map& entries = Entries();
    auto it = entries.find(name);
    return it == entries.end() ? nullptr : it->second.Get();
}

void tr_NameRegistry::Clear(const std::string& name) {
    Map& entries = Entries();
    auto it = entries.find(name);
    if (it != entries.end())
        it->second.Reset();
}

void tr_NameRegistry::ClearAll() {
    Entries().clear();
}

size_t tr_NameRegistry::Size() {
    return Entries().size();
}
