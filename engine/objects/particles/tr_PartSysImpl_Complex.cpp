#include "engine/objects/particles/tr_PartSysImpl_Complex.h"

#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/objects/particles/tr_ComplexScript.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Particles creating particles from their bornpart scripts nest this deep
// at most; deeper calls create nothing.
constexpr int kMaxCreationDepth = 4;
// Script ids: 0 is the system script, then four per template.
constexpr int kSystemScript = -1;
constexpr size_t kMaxEmitters = 10000;

const char* const kScriptNames[tr_PartSysImpl_Complex::kScriptKinds] = {"bornpart", "diepart",
                                                                        "process", "processpart"};

// The text of element's child name when that child starts with text.
std::string ChildText(const tinyxml2::XMLElement* element, const char* name) {
    const tinyxml2::XMLElement* child = element->FirstChildElement(name);
    if (!child || !child->FirstChild() || !child->FirstChild()->ToText())
        return std::string();
    return child->FirstChild()->Value();
}

float Clamp01(float v) {
    if (!(v > 0.0f))
        return 0.0f;
    return v < 1.0f ? v : 1.0f;
}

} // namespace

tr_PartSysImpl_Complex::tr_PartSysImpl_Complex() = default;

tr_PartSysImpl_Complex::~tr_PartSysImpl_Complex() = default;

void tr_PartSysImpl_Complex::Load(tr_SLHelper& reader) {
    auto* xml = dynamic_cast<tr_SLHelper_TinyXML2*>(&reader);
    if (!xml || !xml->GetDocument() || !xml->GetRoot())
        return;
    int blend = 0;
    const tinyxml2::XMLNode* first = xml->GetDocument()->FirstChild();
    if (!first || !first->Value() || std::sscanf(first->Value(), " Blend: %d", &blend) != 1)
        blend = 0;
    if (owner_)
        owner_->SetBlendMode(blend);
    const tinyxml2::XMLElement* root = xml->GetRoot();
    if (const tinyxml2::XMLElement* emit = root->FirstChildElement("emit")) {
        for (const tinyxml2::XMLElement* e = emit->FirstChildElement(); e;
             e = e->NextSiblingElement()) {
            Template t;
            t.name = e->Name();
            if (const char* res = e->Attribute("res"))
                t.res = res;
            for (int kind = 0; kind < kScriptKinds; ++kind)
                t.scripts[kind] = ChildText(e, kScriptNames[kind]);
            templates_.push_back(std::move(t));
        }
    }
    system_script_ = ChildText(root, "process");
}

void tr_PartSysImpl_Complex::LoadResources() {
    tr_ResourceRegistry* registry = tr_ResourceRegistry::GetOrCreate();
    for (Template& t : templates_)
        t.texture = registry->GetTexture(t.res);
}

void tr_PartSysImpl_Complex::UnloadResources() {
    for (Template& t : templates_)
        t.texture.reset();
    batch_.Release();
}

void tr_PartSysImpl_Complex::Start() {
    // Pause(true) before the first Start sets active without a script
    // state; Start still has to make one.
    if (active_ && script_)
        return;
    if (script_) {
        active_ = true;
        Stop(true);
    }
    state_variable_ = 0;
    current_particle_ = nullptr;
    current_emitter_ = -1;
    script_ = tr_ComplexScript::Make(this);
    active_ = true;
}

void tr_PartSysImpl_Complex::Stop(bool clear) {
    if (!active_)
        return;
    active_ = false;
    if (!clear)
        return;
    script_.reset();
    emitters_.clear();
    particles_.clear();
    current_particle_ = nullptr;
    current_emitter_ = -1;
}

const tr_PartSysImpl_Complex::Particle* tr_PartSysImpl_Complex::GetParticle(int index) const {
    if (index < 0 || index >= GetParticleCount())
        return nullptr;
    return particles_[static_cast<size_t>(index)].get();
}

void tr_PartSysImpl_Complex::Run(int template_index, ScriptKind kind) {
    if (!script_)
        return;
    if (template_index == kSystemScript) {
        script_->Run(0, system_script_, nullptr);
        return;
    }
    const std::string& text = templates_[static_cast<size_t>(template_index)].scripts[kind];
    const bool named = kind == kProcess;
    script_->Run(1 + template_index * kScriptKinds + kind, text, named ? nullptr : "?");
}

void tr_PartSysImpl_Complex::Update(const tr_FrameInfo& frame) {
    const float dt = frame.dt;
    births_left_ = kMaxBirthsPerUpdate;
    if (script_)
        script_->SetFrameGlobals(state_variable_, dt);
    if (active_ && script_) {
        Run(kSystemScript, kProcess);
        // Scripts change the effect's phase by assigning ps_state.
        state_variable_ = script_->ReadState();
        // Emitters that scripts add during the walk start in the next update.
        size_t walked = emitters_.size();
        for (size_t i = 0; i < walked;) {
            current_emitter_ = static_cast<int>(i);
            Run(emitters_[i].template_index, kProcess);
            if (emitters_[i].deleted) {
                emitters_.erase(emitters_.begin() + static_cast<long>(i));
                --walked;
            } else {
                ++i;
            }
        }
    }
    // Walked by index over the particles present now: scripts append
    // particles meanwhile, and those age from the next update.
    size_t walked = particles_.size();
    for (size_t i = 0; i < walked;) {
        Particle& p = *particles_[i];
        p.age += dt;
        const float life =
            p.lifetime > 0.0f ? p.age * 100.0f / p.lifetime : (p.age > 0.0f ? 100.0f : 0.0f);
        if (life >= 100.0f) {
            Run(p.template_index, kDiePart);
            particles_.erase(particles_.begin() + static_cast<long>(i));
            --walked;
            continue;
        }
        for (Track& track : p.tracks) {
            float value = 0.0f;
            if (EvaluateTrack(track, life, value))
                StoreProperty(p, track.property, value);
        }
        current_particle_ = &p;
        Run(p.template_index, kProcessPart);
        current_particle_ = nullptr;
        ++i;
    }
}

bool tr_PartSysImpl_Complex::EvaluateTrack(Track& track, float p, float& value) {
    const int pairs = static_cast<int>(track.keys.size() / 2);
    if (pairs == 0)
        return false;
    const float* keys = track.keys.data();
    int& k = track.key;
    k = std::min(std::max(k, 0), pairs - 1);
    if (k + 1 < pairs && keys[2 * (k + 1)] <= p)
        ++k;
    if (k + 1 >= pairs) {
        value = keys[2 * k + 1]; // past the last key: hold it
        return true;
    }
    const float t0 = keys[2 * k];
    const float v0 = keys[2 * k + 1];
    const float t1 = keys[2 * k + 2];
    const float v1 = keys[2 * k + 3];
    const float span = std::fabs(t1 - t0);
    value = span > 0.0f ? (v1 - v0) * (p - t0) / span + v0 : v1;
    return true;
}

void tr_PartSysImpl_Complex::StoreProperty(Particle& particle, int property, float value) {
    if (property < 0 || property >= kPropertyCount || property == kPosZ)
        return;
    if (property >= kAlpha)
        value = Clamp01(value);
    particle.properties[property] = value;
}

void tr_PartSysImpl_Complex::CreateEmitter(const std::string& name, float x, float y) {
    if (templates_.empty())
        return;
    if (emitters_.size() >= kMaxEmitters) {
        WarnOnce(kWarnCap, "too many emitters, new ones are refused");
        return;
    }
    Emitter emitter;
    for (size_t i = 0; i < templates_.size(); ++i) {
        if (templates_[i].name == name) {
            emitter.template_index = static_cast<int>(i);
            break;
        }
    }
    emitter.origin[0] = x;
    emitter.origin[1] = y;
    if (current_particle_) {
        emitter.origin[0] += current_particle_->properties[kPosX];
        emitter.origin[1] += current_particle_->properties[kPosY];
    }
    emitters_.push_back(emitter);
}

void tr_PartSysImpl_Complex::CreateParticles(float n) {
    if (current_emitter_ < 0 || current_emitter_ >= static_cast<int>(emitters_.size()) ||
        !std::isfinite(n) || creation_depth_ >= kMaxCreationDepth)
        return;
    const int emitter_index = current_emitter_;
    emitters_[static_cast<size_t>(emitter_index)].accumulator += n;
    Particle* previous = current_particle_;
    ++creation_depth_;
    while (emitter_index < static_cast<int>(emitters_.size()) &&
           emitters_[static_cast<size_t>(emitter_index)].accumulator >= 1.0f) {
        Emitter& emitter = emitters_[static_cast<size_t>(emitter_index)];
        if (births_left_ <= 0 || GetParticleCount() >= kMaxParticles) {
            emitter.accumulator = 0.0f;
            WarnOnce(kWarnCap, "too many particles, births are cut short");
            break;
        }
        --births_left_;
        emitter.accumulator -= 1.0f;
        const int template_index = emitter.template_index;
        const float origin_x = emitter.origin[0];
        const float origin_y = emitter.origin[1];
        auto particle = std::make_unique<Particle>();
        current_particle_ = particle.get();
        // The script may create emitters: emitter is not used past this.
        Run(template_index, kBornPart);
        particle->template_index = template_index;
        particle->origin[0] = origin_x;
        particle->origin[1] = origin_y;
        if (particle->independent) {
            // Independent particles stay behind in the parent's space.
            float x = 0.0f;
            float y = 0.0f;
            SystemWorld().TransformPoint(x, y);
            WorldToSpace(ParentWorld()).TransformPoint(x, y);
            particle->origin[0] += x;
            particle->origin[1] += y;
        }
        particles_.push_back(std::move(particle));
    }
    --creation_depth_;
    current_particle_ = previous;
}

void tr_PartSysImpl_Complex::DieAfter(float seconds) {
    if (current_particle_)
        current_particle_->lifetime = seconds;
}

void tr_PartSysImpl_Complex::Animate(int property, std::vector<float> keys) {
    if (!current_particle_)
        return;
    keys.resize(keys.size() / 2 * 2);
    current_particle_->tracks.push_back(Track{property, 0, std::move(keys)});
}

void tr_PartSysImpl_Complex::DeleteMe() {
    if (current_emitter_ >= 0 && current_emitter_ < static_cast<int>(emitters_.size()))
        emitters_[static_cast<size_t>(current_emitter_)].deleted = true;
}

void tr_PartSysImpl_Complex::SetIndependent() {
    if (current_particle_)
        current_particle_->independent = true;
}

void tr_PartSysImpl_Complex::SetProperty(int property, float value) {
    if (current_particle_)
        StoreProperty(*current_particle_, property, value);
}

void tr_PartSysImpl_Complex::SetNamedProperty(const std::string& name, float value) {
    if (current_particle_)
        current_particle_->named[name] = value;
}

float tr_PartSysImpl_Complex::GetProperty(int property) const {
    if (!current_particle_ || property < 0 || property >= kPropertyCount || property == kPosZ)
        return 0.0f;
    return current_particle_->properties[property];
}

float tr_PartSysImpl_Complex::GetNamedProperty(const std::string& name) const {
    if (!current_particle_)
        return 0.0f;
    const auto it = current_particle_->named.find(name);
    return it == current_particle_->named.end() ? 0.0f : it->second;
}

void tr_PartSysImpl_Complex::PositionFromMask(float& x, float& y) {
    x = y = 0.0f;
    float wx = 0.0f;
    float wy = 0.0f;
    if (!SampleMask(wx, wy))
        return;
    WorldToSpace(SystemWorld()).TransformPoint(wx, wy);
    x = wx;
    y = wy;
}

void tr_PartSysImpl_Complex::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render || templates_.empty() || !templates_.front().texture || particles_.empty())
        return;
    const std::shared_ptr<tr_Texture>& texture = templates_.front().texture;
    const tr_Matrix parent =
        owner_ && owner_->GetParent() ? owner_->GetParent()->GetWorldMatrix() : tr_Matrix();
    batch_.Begin(GetParticleCount(), texture.get(), state);
    for (const auto& owned : particles_) {
        const Particle& p = *owned;
        const float* v = p.properties;
        batch_.AddQuad(v[kPosX] + p.origin[0], v[kPosY] + p.origin[1], v[kScaleX], v[kScaleY],
                       v[kAngle], p.independent ? parent : state.transform, v[kAlpha] * state.alpha,
                       v[kRed] * state.red, v[kGreen] * state.green, v[kBlue] * state.blue);
    }
    batch_.Draw(render, texture, state);
}
