#include "engine/objects/tr_AnimSprite.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/anim/tr_AnimRes.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/script/tr_CallQueue.h"

#include <algorithm>

tr_AnimSprite::tr_AnimSprite() = default;

tr_AnimSprite::tr_AnimSprite(std::string name) : tr_Sprite(std::move(name)) {}

tr_AnimSprite::~tr_AnimSprite() = default;

void tr_AnimSprite::Load(tr_SLHelper& helper) {
    tr_Sprite::Load(helper);
    int frame = 0;
    if (helper.ReadInt("frame", frame))
        SetFrame(frame);
    bool playing = false;
    const bool has_playing = helper.ReadBool("playing", playing);
    std::string function;
    helper.ReadString("animfunc", function);
    helper.ReadString("endtrig", endtrig_);
    if (has_playing && playing)
        Play(function, endtrig_);
}

void tr_AnimSprite::Save(tr_SLHelper& helper) {
    tr_Sprite::Save(helper);
    helper.WriteInt("frame", GetFrame());
    helper.WriteBool("playing", playing_);
    const tr_AnimFunction* function = CurrentFunction();
    helper.WriteString("animfunc", function ? function->name : std::string());
    helper.WriteString("endtrig", endtrig_);
}

void tr_AnimSprite::ResetDefaults() {
    tr_Sprite::ResetDefaults();
    current_ = -1;
    playing_ = false;
    position_ = 0;
    timer_ = 0.0f;
}

void tr_AnimSprite::Initialise() {
    if (initialised_)
        return;
    initialised_ = true;
    resource_ = tr_AnimRes::GetAnimRes(GetRes());
    if (resource_) {
        functions_ = resource_->GetFunctions();
        frame_texture_name_ = resource_->GetFrameTextureName();
    }
}

void tr_AnimSprite::Deinitialise() {
    if (!initialised_)
        return;
    ClearPlayback();
    endtrig_.clear();
    functions_.clear();
    resource_.reset();
    initialised_ = false;
}

void tr_AnimSprite::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    texture_ = tr_ResourceRegistry::GetOrCreate()->GetFrameTexture(frame_texture_name_);
    if (texture_ && !input_rect_defined_)
        input_rect_ = texture_->GetRect(own_state_);
}

void tr_AnimSprite::Update(const tr_FrameInfo& frame) {
    tr_Sprite::Update(frame);
    const tr_AnimFunction* function = CurrentFunction();
    if (!playing_ || !function)
        return;
    timer_ -= frame.dt;
    if (timer_ > 0.0f)
        return;
    // One frame per update at most; the frame time is added, not assigned,
    // so time overrun on a long frame carries into the next.
    const int count = static_cast<int>(function->frames.size());
    ++position_;
    if (position_ < count) {
        timer_ += function->frametime;
        SetFrame(function->frames[static_cast<size_t>(position_)]);
    } else if (function->loop) {
        position_ = 0;
        timer_ += function->frametime;
        SetFrame(function->frames[0]);
    } else {
        position_ = count - 1;
        playing_ = false;
        tr_QueueObjectCall(GetName(), endtrig_);
    }
}

void tr_AnimSprite::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render || !texture_)
        return;
    render->DrawQuad(texture_, state);
    const tr_AnimFunction* function = CurrentFunction();
    // A frame time of zero or less has no span to fade over.
    if (!playing_ || !function || !function->alpha || function->frametime <= 0.0f)
        return;
    const int count = static_cast<int>(function->frames.size());
    int next = position_ + 1;
    if (next >= count && function->loop)
        next = 0;
    if (next < 0 || next >= count)
        return;
    tr_DrawState faded = state;
    faded.frame = function->frames[static_cast<size_t>(next)];
    faded.alpha = (1.0f - std::max(timer_, 0.0f) / function->frametime) * state.alpha;
    render->DrawQuad(texture_, faded);
}

int tr_AnimSprite::Play(const std::string& name, const std::string& end_trigger) {
    const auto found = std::find_if(functions_.begin(), functions_.end(),
                                    [&name](const tr_AnimFunction& f) { return f.name == name; });
    // A function without frames would show a frame it does not have.
    if (found == functions_.end() || found->frames.empty())
        return 0;
    current_ = static_cast<int>(found - functions_.begin());
    endtrig_ = end_trigger;
    playing_ = true;
    timer_ = found->frametime;
    position_ = 0;
    SetFrame(found->frames[0]);
    return 1;
}

void tr_AnimSprite::Stop() {
    SetFrame(0);
    playing_ = false;
    current_ = -1;
}

void tr_AnimSprite::SetPaused(bool paused) {
    playing_ = !paused;
}

int tr_AnimSprite::GetFunctionFrameCount(const std::string& name) const {
    const tr_AnimFunction* function = FunctionFor(name);
    return function ? static_cast<int>(function->frames.size()) : 0;
}

void tr_AnimSprite::SetFrame(int frame) {
    own_state_.frame = frame;
    if (texture_ && !input_rect_defined_)
        input_rect_ = texture_->GetRect(own_state_);
}

float tr_AnimSprite::GetFunctionDuration(const std::string& name) const {
    const tr_AnimFunction* function = FunctionFor(name);
    return function ? function->frametime * static_cast<float>(function->frames.size()) : 0.0f;
}

void tr_AnimSprite::ClearPlayback() {
    playing_ = false;
    current_ = -1;
    position_ = 0;
    timer_ = 0.0f;
}

const tr_AnimFunction* tr_AnimSprite::CurrentFunction() const {
    if (current_ < 0 || current_ >= static_cast<int>(functions_.size()))
        return nullptr;
    return &functions_[static_cast<size_t>(current_)];
}

const tr_AnimFunction* tr_AnimSprite::FunctionFor(const std::string& name) const {
    if (name.empty())
        return playing_ ? CurrentFunction() : nullptr;
    for (const tr_AnimFunction& function : functions_)
        if (function.name == name)
            return &function;
    return nullptr;
}
