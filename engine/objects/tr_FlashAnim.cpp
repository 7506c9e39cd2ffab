#include "engine/objects/tr_FlashAnim.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/script/tr_CallQueue.h"

#include <algorithm>

tr_FlashAnim::tr_FlashAnim() {
    ResetDefaults();
}

tr_FlashAnim::tr_FlashAnim(std::string name) : tr_Object(std::move(name)) {
    ResetDefaults();
}

tr_FlashAnim::~tr_FlashAnim() = default;

void tr_FlashAnim::ResetDefaults() {
    tr_Object::ResetDefaults();
    time_to_next_ = 0.0f;
    playing_ = false;
    frame_ = 0;
    endtrig_.clear();
}

void tr_FlashAnim::Load(tr_SLHelper& helper) {
    tr_Object::Load(helper);
    if (helper.ReadInt("frame", frame_))
        frame_ = std::max(0, std::min(frame_, data_.GetFrameCount() - 1));
    bool playing = false;
    const bool has_playing = helper.ReadBool("playing", playing);
    helper.ReadString("endtrig", endtrig_);
    if (has_playing) {
        if (playing)
            Play(endtrig_);
        else
            playing_ = false;
    }
}

void tr_FlashAnim::Save(tr_SLHelper& helper) {
    tr_Object::Save(helper);
    helper.WriteInt("frame", frame_);
    helper.WriteBool("playing", playing_);
    helper.WriteString("endtrig", endtrig_);
}

void tr_FlashAnim::Initialise() {
    if (initialised_)
        return;
    initialised_ = true;
    if (GetRes().empty())
        return;
    const std::string path = tr_ContentPath::NormaliseSeparators(GetRes());
    std::vector<char> bytes;
    if (!tr_ContentPath::ReadBinary(path + ".xml", bytes) ||
        !data_.LoadFromBuffer(bytes.data(), bytes.size(), path.substr(0, path.rfind('/') + 1),
                              GetRes())) {
        tr_Log("Error: flashanim could not find \"%s\" file!", GetRes().c_str());
        return;
    }
    attached_.assign(data_.GetParts().size(), tr_ObjectRef());
}

void tr_FlashAnim::Deinitialise() {
    if (!initialised_)
        return;
    playing_ = false;
    frame_ = 0;
    data_.Clear();
    textures_.clear();
    attached_.clear();
    initialised_ = false;
}

void tr_FlashAnim::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    tr_ResourceRegistry* registry = tr_ResourceRegistry::GetOrCreate();
    textures_.clear();
    for (const tr_FlashAnimPart& part : data_.GetParts()) {
        if (part.type == "texture")
            textures_.push_back(registry->GetTexture(part.path));
        else if (part.type == "frametexture")
            textures_.push_back(registry->GetFrameTexture(part.path));
        else
            textures_.emplace_back();
    }
}

void tr_FlashAnim::UnloadResources() {
    if (!resources_loaded_)
        return;
    textures_.clear();
    resources_loaded_ = false;
}

void tr_FlashAnim::Play(const std::string& end_trigger) {
    if (data_.GetFrameCount() == 0)
        return;
    frame_ = 0;
    time_to_next_ = data_.GetFrameTime();
    playing_ = true;
    endtrig_ = end_trigger;
}

void tr_FlashAnim::SetPaused(bool paused) {
    playing_ = !paused && data_.GetFrameCount() > 0;
}

void tr_FlashAnim::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    const int count = data_.GetFrameCount();
    if (!playing_ || count == 0)
        return;
    time_to_next_ -= frame.dt;
    if (time_to_next_ > 0.0f)
        return;
    // One frame per update at most; the frame time is added, not assigned,
    // so the overrun of a long update carries into the next frame.
    ++frame_;
    if (frame_ >= count) {
        if (!data_.IsLooping()) {
            frame_ = count - 1;
            playing_ = false;
            tr_QueueObjectCall(GetName(), endtrig_);
            PlaceAttached();
            return;
        }
        frame_ = data_.GetLoopFrame();
    }
    time_to_next_ += data_.GetFrameTime();
    PlaceAttached();
}

void tr_FlashAnim::PlaceAttached() {
    if (frame_ < 0 || frame_ >= data_.GetFrameCount())
        return;
    const tr_Matrix& root = data_.GetRootState().transform;
    for (const tr_FlashAnimInstance& instance : data_.GetFrames()[static_cast<size_t>(frame_)]) {
        tr_Object* child = GetAttached(instance.part);
        if (!child)
            continue;
        const tr_Matrix placed = instance.state.transform * root;
        child->SetPosition(placed[12], placed[13]);
    }
}

void tr_FlashAnim::AttachChildToPart(const std::string& child_name, const std::string& part_id) {
    tr_Object* child = FindChild(this, child_name, false);
    if (!child)
        return;
    const std::vector<tr_FlashAnimPart>& parts = data_.GetParts();
    for (size_t i = 0; i < parts.size() && i < attached_.size(); ++i)
        if (parts[i].id == part_id)
            attached_[i].Set(child);
    PlaceAttached();
}

tr_Object* tr_FlashAnim::GetAttached(int part) const {
    if (part < 0 || part >= static_cast<int>(attached_.size()))
        return nullptr;
    return attached_[static_cast<size_t>(part)].Get();
}

void tr_FlashAnim::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render || frame_ < 0 || frame_ >= data_.GetFrameCount())
        return;
    const tr_DrawState& root = data_.GetRootState();
    const tr_Matrix base = root.transform * state.transform;
    const std::vector<tr_FlashAnimPart>& parts = data_.GetParts();
    for (const tr_FlashAnimInstance& instance : data_.GetFrames()[static_cast<size_t>(frame_)]) {
        const size_t part = static_cast<size_t>(instance.part);
        if (part >= textures_.size() || !textures_[part])
            continue;
        tr_DrawState draw = instance.state;
        draw.alpha = root.alpha * state.alpha * instance.state.alpha;
        draw.red = root.red * state.red * instance.state.red;
        draw.green = root.green * state.green * instance.state.green;
        draw.blue = root.blue * state.blue * instance.state.blue;
        draw.transform = instance.state.transform * base;
        draw.offset_x = parts[part].width * 0.5f;
        draw.offset_y = parts[part].height * 0.5f;
        render->DrawQuad(textures_[part], draw);
    }
}
