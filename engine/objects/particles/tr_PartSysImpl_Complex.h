// tr_PartSysImpl_Complex: the scripted particle effect (the default effect
// type). The file names emitter templates, each with up to four Lua scripts
// (bornpart, diepart, process, processpart), plus a system script; the
// scripts create emitters and particles and animate particle properties by
// keyframe tracks over the particle's life. Each system has its own script
// state (tr_ComplexScript, created by Start, closed by Stop(true)); all Lua
// stays there. Owned by a tr_ParticleSystem.
#pragma once

#include "engine/objects/particles/tr_PartSysImpl.h"
#include "engine/objects/particles/tr_ParticleBatch.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class tr_ComplexScript;
class tr_Texture;

class tr_PartSysImpl_Complex : public tr_PartSysImpl {
public:
    enum Property { kPosX, kPosY, kPosZ, kScaleX, kScaleY, kAngle, kAlpha, kRed, kGreen, kBlue };
    static constexpr int kPropertyCount = 10;
    enum ScriptKind { kBornPart, kDiePart, kProcess, kProcessPart, kScriptKinds };

    struct Template {
        std::string name;
        std::string res;
        std::shared_ptr<tr_Texture> texture;
        std::string scripts[kScriptKinds];
    };
    struct Emitter {
        int template_index = 0;
        float origin[2] = {0, 0};
        float accumulator = 0;
        bool deleted = false;
    };
    struct Track {
        int property = 0;
        int key = 0;
        std::vector<float> keys; // time, value pairs; times are life percentages
    };
    struct Particle {
        int template_index = 0;
        float origin[2] = {0, 0};
        float lifetime = 0;
        float age = 0;
        bool independent = false;
        float properties[kPropertyCount] = {0, 0, 0, 1, 1, 0, 1, 1, 1, 1};
        std::vector<Track> tracks;
        std::map<std::string, float> named;
    };

    tr_PartSysImpl_Complex();
    ~tr_PartSysImpl_Complex() override;
    void Load(tr_SLHelper& reader) override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    void Start() override;
    void Stop(bool clear) override;
    void Pause(bool paused) override { active_ = paused; }
    int GetParticleCount() const override { return static_cast<int>(particles_.size()); }

    const std::vector<Template>& GetTemplates() const { return templates_; }
    const std::vector<Emitter>& GetEmitters() const { return emitters_; }
    const Particle* GetParticle(int index) const;
    const std::string& GetSystemScript() const { return system_script_; }
    int GetStateVariable() const { return state_variable_; }
    bool HasScriptState() const { return script_ != nullptr; }
    const tr_ParticleBatch& GetBatch() const { return batch_; }

    // What the script functions do, in the context of the current emitter
    // and particle.
    void CreateEmitter(const std::string& name, float x, float y);
    void CreateParticles(float n);
    void DieAfter(float seconds);
    void Animate(int property, std::vector<float> keys);
    void DeleteMe();
    void SetIndependent();
    void SetProperty(int property, float value);
    void SetNamedProperty(const std::string& name, float value);
    float GetProperty(int property) const;
    float GetNamedProperty(const std::string& name) const;
    // A random opaque point of the mask in the space the system draws in;
    // (0, 0) without a mask.
    void PositionFromMask(float& x, float& y);
    tr_ParticleSystem* GetOwnerObject() const { return owner_; }

    // The value of a track at life percentage p; steps its key index.
    static bool EvaluateTrack(Track& track, float p, float& value);

private:
    // Runs a template's script (or the system script for template -1).
    void Run(int template_index, ScriptKind kind);
    static void StoreProperty(Particle& particle, int property, float value);

    std::vector<Template> templates_;
    std::string system_script_;
    std::unique_ptr<tr_ComplexScript> script_;
    int state_variable_ = 0;
    std::vector<Emitter> emitters_;
    // Owned one by one: scripts append while a walk holds the current one.
    std::vector<std::unique_ptr<Particle>> particles_;
    int current_emitter_ = -1;
    Particle* current_particle_ = nullptr;
    int births_left_ = 0;
    int creation_depth_ = 0;
    tr_ParticleBatch batch_;
};
