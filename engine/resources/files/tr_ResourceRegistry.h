// tr_ResourceRegistry: named, shareable resources loaded once and shared by
// every user while at least one user holds them. The registry keeps only
// weak references, so a resource dies with its last user and a later lookup
// loads it afresh; failed names are not remembered. Entries are keyed by kind
// and name, so a texture and a frame texture of the same name stay apart.
// One registry exists: the engine creates it after the renderer and deletes
// it at shutdown; Get() reaches it.
#pragma once

#include "engine/resources/files/tr_Resource.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

class tr_SLHelper_TinyXML2;
class tr_Texture;
class tr_FrameTexture;

class tr_ResourceRegistry {
public:
    using Factory = std::function<std::shared_ptr<tr_Resource>()>;

    tr_ResourceRegistry();
    ~tr_ResourceRegistry();
    tr_ResourceRegistry(const tr_ResourceRegistry&) = delete;
    tr_ResourceRegistry& operator=(const tr_ResourceRegistry&) = delete;

    // The live registry, or null before the engine made one.
    static tr_ResourceRegistry* Get();
    // The live registry; when the engine has made none, one that lives until
    // the process ends (it holds only weak references, so its late end
    // keeps nothing alive).
    static tr_ResourceRegistry* GetOrCreate();

    // Makes kind loadable. Each kind registers itself on its first lookup
    // (fonts, animation resources, textures); kinds without a factory yield
    // empty results.
    static void RegisterKind(int kind, Factory factory);

    // Shared resource of that kind and name, loaded on first use; empty when
    // the name is empty, the kind unknown or the load fails.
    std::shared_ptr<tr_Resource> GetResource(const std::string& name, int kind);
    template <class T> std::shared_ptr<T> GetAs(const std::string& name, int kind) {
        return std::dynamic_pointer_cast<T>(GetResource(name, kind));
    }
    // Defined with the texture kinds (engine/render), which the registry
    // knows only by name: resources sit below the renderer.
    std::shared_ptr<tr_Texture> GetTexture(const std::string& name);
    std::shared_ptr<tr_FrameTexture> GetFrameTexture(const std::string& name);

    // Reader over the parsed description file name + extension (backslashes
    // become "/"); null, with a log line, when it is missing or unreadable.
    std::unique_ptr<tr_SLHelper_TinyXML2> OpenResourceXml(const std::string& extension,
                                                          const std::string& name);

    // Entries currently in the map, expired ones included until the sweep.
    size_t GetEntryCount() const { return entries_.size(); }

private:
    using Key = std::pair<int, std::string>;

    void SweepExpired();

    std::map<Key, std::weak_ptr<tr_Resource>> entries_;
    int lookup_counter_ = 0;
};
