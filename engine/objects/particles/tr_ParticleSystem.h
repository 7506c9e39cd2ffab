// tr_ParticleSystem: the scene object that shows a particle effect (type
// "partsys"). Its "res" names an effect file (without ".xml") whose root
// "type" picks the implementation it owns: "flux", "atm" or "complex" (the
// default). Without a readable file or with another type it has none and
// draws nothing. The game layer derives mode-dependent variants from it.
#pragma once

#include "engine/objects/particles/tr_PartSysImpl.h"
#include "engine/scene/tr_Object.h"

#include <memory>
#include <string>

class tr_ParticleSystem : public tr_Object {
public:
    tr_ParticleSystem();
    explicit tr_ParticleSystem(std::string name);
    ~tr_ParticleSystem() override;

    std::string GetType() const override { return "partsys"; }
    void ResetDefaults() override;
    void Initialise() override;
    void Deinitialise() override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // The implementation, or null; owned by this object.
    tr_PartSysImpl* GetImpl() const { return impl_.get(); }

    // The implementation for an effect type; null for an unknown one.
    static std::unique_ptr<tr_PartSysImpl> CreateImpl(const std::string& type);

private:
    std::unique_ptr<tr_PartSysImpl> impl_;
};
