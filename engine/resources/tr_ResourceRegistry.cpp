#include "engine/resources/tr_ResourceRegistry.h"

#include "engine/resources/tr_FrameTexture.h"
#include "engine/resources/tr_Texture.h"

namespace {

// Expired entries are only dropped every this many lookups.
const int kSweepInterval = 200;

tr_ResourceRegistry* g_registry = nullptr;

std::map<int, tr_ResourceRegistry::Factory>& Factories() {
    static std::map<int, tr_ResourceRegistry::Factory> factories = {
        {TR_RES_TEXTURE, [] { return std::make_shared<tr_Texture>(); }},
        {TR_RES_FRAME_TEXTURE, [] { return std::make_shared<tr_FrameTexture>(); }},
    };
    return factories;
}

} // namespace

tr_ResourceRegistry::tr_ResourceRegistry() {
    if (!g_registry)
        g_registry = this;
}

tr_ResourceRegistry::~tr_ResourceRegistry() {
    if (g_registry == this)
        g_registry = nullptr;
}

tr_ResourceRegistry* tr_ResourceRegistry::Get() {
    return g_registry;
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

std::shared_ptr<tr_Texture> tr_ResourceRegistry::GetTexture(const std::string& name) {
    return std::dynamic_pointer_cast<tr_Texture>(GetResource(name, TR_RES_TEXTURE));
}

std::shared_ptr<tr_FrameTexture> tr_ResourceRegistry::GetFrameTexture(const std::string& name) {
    return std::dynamic_pointer_cast<tr_FrameTexture>(GetResource(name, TR_RES_FRAME_TEXTURE));
}
