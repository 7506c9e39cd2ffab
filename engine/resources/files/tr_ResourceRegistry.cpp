#include "engine/resources/files/tr_ResourceRegistry.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <tinyxml2.h>

#include <algorithm>
#include <vector>

namespace {

// Expired entries are only dropped every this many lookups.
const int kSweepInterval = 200;

tr_ResourceRegistry* g_registry = nullptr;

std::map<int, tr_ResourceRegistry::Factory>& Factories() {
    static std::map<int, tr_ResourceRegistry::Factory> factories;
    return factories;
}

} // namespace

// The newest registry is the live one, so the engine's replaces a fallback
// made by an early lookup.
tr_ResourceRegistry::tr_ResourceRegistry() {
    g_registry = this;
}

tr_ResourceRegistry::~tr_ResourceRegistry() {
    if (g_registry == this)
        g_registry = nullptr;
}

tr_ResourceRegistry* tr_ResourceRegistry::Get() {
    return g_registry;
}

tr_ResourceRegistry* tr_ResourceRegistry::GetOrCreate() {
    if (g_registry)
        return g_registry;
    static std::unique_ptr<tr_ResourceRegistry> fallback;
    fallback.reset(new tr_ResourceRegistry());
    return fallback.get();
}

void tr_ResourceRegistry::RegisterKind(int kind, Factory factory) {
    Factories()[kind] = std::move(factory);
}

void tr_ResourceRegistry::SweepExpired() {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.expired())
            it = entries_.erase(it);
        else
            ++it;
    }
}

std::shared_ptr<tr_Resource> tr_ResourceRegistry::GetResource(const std::string& name, int kind) {
    const int lookups_before = lookup_counter_++;
    if (lookups_before >= kSweepInterval - 1) {
        lookup_counter_ = 0;
        SweepExpired();
    }
    if (name.empty())
        return nullptr;

    const Key key(kind, name);
    auto found = entries_.find(key);
    if (found != entries_.end()) {
        if (std::shared_ptr<tr_Resource> alive = found->second.lock())
            return alive;
    }

    auto factory = Factories().find(kind);
    if (factory == Factories().end() || !factory->second)
        return nullptr;
    std::shared_ptr<tr_Resource> resource = factory->second();
    if (!resource || !resource->Load(name.c_str()))
        return nullptr;
    entries_[key] = resource;
    return resource;
}

std::unique_ptr<tr_SLHelper_TinyXML2>
tr_ResourceRegistry::OpenResourceXml(const std::string& extension, const std::string& name) {
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    path += extension;
    if (!tr_ContentPath::Exists(path)) {
        tr_Log("Error: resource file not found %s.", path.c_str());
        return nullptr;
    }
    if (extension != ".xml") {
        tr_Log("Error: no loader for such format \"%s\" ", name.c_str());
        return nullptr;
    }
    std::vector<char> data;
    if (!tr_ContentPath::ReadBinary(path, data, tr_FileReader::KIND_DESCRIPTION)) {
        tr_Log("Error: resource xml-file could not be opened \"%s\" with error: %d!", name.c_str(),
               static_cast<int>(tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED));
        return nullptr;
    }
    auto document = std::make_unique<tinyxml2::XMLDocument>(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document->Parse(data.data(), data.size()) != tinyxml2::XML_SUCCESS) {
        tr_Log("Error: resource xml-file could not be parsed \"%s\" !", name.c_str());
        return nullptr;
    }
    return std::make_unique<tr_SLHelper_TinyXML2>(document.release());
}
