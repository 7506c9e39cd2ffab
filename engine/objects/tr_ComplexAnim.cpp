#include "engine/objects/tr_ComplexAnim.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/script/tr_CallQueue.h"

tr_ComplexAnim::tr_ComplexAnim() {
    ResetDefaults();
}

tr_ComplexAnim::tr_ComplexAnim(std::string name) : tr_Object(std::move(name)) {
    ResetDefaults();
}

tr_ComplexAnim::~tr_ComplexAnim() = default;

void tr_ComplexAnim::ResetDefaults() {
    tr_Object::ResetDefaults();
    playing_ = false;
    function_.clear();
    endtrig_.clear();
    elapsed_ = 0.0f;
}

void tr_ComplexAnim::Load(tr_SLHelper& helper) {
    tr_Object::Load(helper);
    helper.ReadString("endtrig", endtrig_);
    bool playing = false;
    const bool has_playing = helper.ReadBool("playing", playing);
    if (helper.ReadString("animfunc", function_))
        elapsed_ = 0.0f;
    if (has_playing && playing)
        Play(function_, endtrig_);
    else
        EvaluatePose();
}

void tr_ComplexAnim::Save(tr_SLHelper& helper) {
    tr_Object::Save(helper);
    helper.WriteString("endtrig", endtrig_);
    helper.WriteBool("playing", playing_);
    helper.WriteString("animfunc", function_);
}

void tr_ComplexAnim::Initialise() {
    if (initialised_)
        return;
    initialised_ = true;
    if (GetRes().empty())
        return;
    std::unique_ptr<tr_SLHelper_TinyXML2> reader =
        tr_ResourceRegistry::GetOrCreate()->OpenResourceXml(".xml", GetRes());
    if (reader)
        data_.Load(*reader);
    EvaluatePose();
}

void tr_ComplexAnim::Deinitialise() {
    if (!initialised_)
        return;
    playing_ = false;
    data_.Clear();
    initialised_ = false;
}

void tr_ComplexAnim::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    std::string folder = tr_ContentPath::NormaliseSeparators(GetRes());
    folder.erase(folder.find_last_of('/') + 1);
    tr_ResourceRegistry* registry = tr_ResourceRegistry::GetOrCreate();
    data_.ForEachNode([&](tr_ComplexAnimNode& node) {
        if (node.res.empty())
            return;
        const std::string path = folder + node.res;
        if (tr_ContentPath::Exists(path + ".xml"))
            node.texture = registry->GetFrameTexture(path);
        if (!node.texture)
            node.texture = registry->GetTexture(path);
    });
}

void tr_ComplexAnim::UnloadResources() {
    if (!resources_loaded_)
        return;
    data_.ForEachNode([](tr_ComplexAnimNode& node) { node.texture.reset(); });
    resources_loaded_ = false;
}

bool tr_ComplexAnim::Play(const std::string& function, const std::string& end_trigger) {
    tr_ComplexAnimFunction* found = data_.FindFunction(function);
    if (!found)
        return false;
    playing_ = true;
    endtrig_ = end_trigger;
    elapsed_ = 0.0f;
    function_ = function;
    tr_ComplexAnimData::RewindTracks(*found);
    EvaluatePose();
    return true;
}

void tr_ComplexAnim::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    tr_ComplexAnimFunction* function = data_.FindFunction(function_);
    if (playing_ && function && !function_.empty()) {
        elapsed_ += frame.dt;
        if (elapsed_ >= function->duration) {
            if (function->loop) {
                elapsed_ -= function->duration;
                tr_ComplexAnimData::RewindTracks(*function);
            } else {
                playing_ = false;
                tr_QueueObjectCall(GetName(), endtrig_);
                elapsed_ = function->duration;
            }
        }
    }
    data_.EvaluatePose(function, elapsed_);
}

void tr_ComplexAnim::EvaluatePose() {
    data_.EvaluatePose(data_.FindFunction(function_), elapsed_);
}

void tr_ComplexAnim::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render)
        return;
    for (const auto& root : data_.GetRoots())
        root->Draw(render, state);
}
