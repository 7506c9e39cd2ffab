#include "engine/objects/particles/tr_ParticleSystem.h"

#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/objects/particles/tr_PartSysImpl_Atm.h"
#include "engine/objects/particles/tr_PartSysImpl_Complex.h"
#include "engine/objects/particles/tr_PartSysImpl_Flux.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

tr_ParticleSystem::tr_ParticleSystem() = default;

tr_ParticleSystem::tr_ParticleSystem(std::string name) : tr_Object(std::move(name)) {}

tr_ParticleSystem::~tr_ParticleSystem() {
    UnloadResources();
    Deinitialise();
}

std::unique_ptr<tr_PartSysImpl> tr_ParticleSystem::CreateImpl(const std::string& type) {
    if (type == "flux")
        return std::make_unique<tr_PartSysImpl_Flux>();
    if (type == "atm")
        return std::make_unique<tr_PartSysImpl_Atm>();
    if (type == "complex")
        return std::make_unique<tr_PartSysImpl_Complex>();
    return nullptr;
}

void tr_ParticleSystem::ResetDefaults() {
    tr_Object::ResetDefaults();
    impl_.reset();
}

void tr_ParticleSystem::Initialise() {
    if (initialised_)
        return;
    initialised_ = true;
    if (GetRes().empty())
        return;
    auto reader = tr_ResourceRegistry::GetOrCreate()->OpenResourceXml(".xml", GetRes());
    if (!reader)
        return;
    std::string type = "complex";
    reader->ReadString("type", type);
    impl_ = CreateImpl(type);
    if (!impl_)
        return;
    impl_->SetOwner(this);
    impl_->Load(*reader);
}

void tr_ParticleSystem::Deinitialise() {
    impl_.reset();
    initialised_ = false;
}

void tr_ParticleSystem::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    if (impl_)
        impl_->LoadResources();
}

void tr_ParticleSystem::UnloadResources() {
    if (!resources_loaded_)
        return;
    if (impl_)
        impl_->UnloadResources();
    resources_loaded_ = false;
}

void tr_ParticleSystem::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    if (impl_)
        impl_->Update(frame);
}

void tr_ParticleSystem::Draw(tr_Render* render, const tr_DrawState& state) {
    if (impl_)
        impl_->Draw(render, state);
}
