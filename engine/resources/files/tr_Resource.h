// tr_Resource: base of every shareable, named resource (textures, frame
// textures, generated textures, fonts, animation resources). Users own
// resources through shared references; the resource registry keeps only weak
// ones, so a resource dies with its last user.
#pragma once

#include <string>

class tr_Resource {
public:
    explicit tr_Resource(std::string default_name = "tr_dummyres")
        : name(std::move(default_name)) {}
    virtual ~tr_Resource() = default;

    // Loads the named resource; on success the resource takes the name.
    virtual bool Load(const char* name) = 0;

    const std::string& GetName() const { return name; }

protected:
    std::string name;
};

// The kind numbers a registry lookup passes.
enum tr_ResourceKind : int {
    TR_RES_TEXTURE = 0,
    TR_RES_FRAME_TEXTURE = 1,
    TR_RES_GENERATED_TEXTURE = 2,
    TR_RES_FONT = 3,
    TR_RES_ANIMATION = 4,
};
