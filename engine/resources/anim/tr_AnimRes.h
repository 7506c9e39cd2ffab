// tr_AnimRes: an animation resource (registry kind 4) read from name + ".xml":
// the frame texture it draws from (named relative to the file's folder) and
// its functions in file order. Shared through the resource registry; animated
// sprites copy the functions and look the frame texture up themselves.
#pragma once

#include "engine/resources/anim/tr_AnimFunction.h"
#include "engine/resources/files/tr_Resource.h"

#include <memory>
#include <string>
#include <vector>

class tr_AnimRes : public tr_Resource {
public:
    tr_AnimRes() = default;
    ~tr_AnimRes() override = default;

    // False, with a log line, when the file cannot be read; false without one
    // when its root is not "animation".
    bool Load(const char* name) override;

    const std::string& GetFrameTextureName() const { return frame_texture_name_; }
    const std::vector<tr_AnimFunction>& GetFunctions() const { return functions_; }

    // Makes kind 4 loadable through the registry.
    static void RegisterKind();
    // The shared resource of that name from the registry (registering the
    // kind on first use); empty when the name is empty or the load fails.
    static std::shared_ptr<tr_AnimRes> GetAnimRes(const std::string& name);

private:
    std::string frame_texture_name_;
    std::vector<tr_AnimFunction> functions_;
};
