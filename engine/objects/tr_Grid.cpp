#include "engine/objects/tr_Grid.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_VertexList.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/scene/tr_AnimCurve.h"
#include "engine/script/tr_CallQueue.h"

#include <algorithm>

namespace {

float Blend(int curve, float from, float to, float t) {
    // Equal values stay exact instead of going through the curve's rounding.
    return from == to ? from : tr_AnimCurve::Ease(curve, from, to, t);
}

} // namespace

tr_Grid::tr_Grid() {
    ResetDefaults();
}

tr_Grid::tr_Grid(std::string name) : tr_Object(std::move(name)) {
    ResetDefaults();
}

tr_Grid::~tr_Grid() = default;

void tr_Grid::ResetDefaults() {
    tr_Object::ResetDefaults();
    playing_ = false;
    frame_ = 0;
    timer_ = 0.0f;
    endtrig_.clear();
    dirty_ = false;
}

void tr_Grid::Load(tr_SLHelper& helper) {
    tr_Object::Load(helper);
    if (helper.ReadInt("frame", frame_))
        frame_ = std::max(0, std::min(frame_, mesh_.GetKeyFrameCount() - 1));
    bool playing = false;
    const bool has_playing = helper.ReadBool("playing", playing);
    helper.ReadString("endtrig", endtrig_);
    if (has_playing) {
        if (playing)
            Play(endtrig_);
        else
            playing_ = false;
    }
    Rebuild();
}

void tr_Grid::Save(tr_SLHelper& helper) {
    tr_Object::Save(helper);
    helper.WriteInt("frame", frame_);
    helper.WriteBool("playing", playing_);
    helper.WriteString("endtrig", endtrig_);
}

std::shared_ptr<tr_Resource> tr_Grid::GetResource() {
    return texture_;
}

void tr_Grid::Initialise() {
    if (initialised_)
        return;
    initialised_ = true;
    if (GetRes().empty())
        return;
    std::unique_ptr<tr_SLHelper_TinyXML2> reader =
        tr_ResourceRegistry::GetOrCreate()->OpenResourceXml(".xml", GetRes());
    if (!reader)
        return;
    std::string folder = tr_ContentPath::NormaliseSeparators(GetRes());
    folder.erase(folder.find_last_of('/') + 1);
    mesh_.Load(*reader, folder, GetRes());
    own_state_.frame = mesh_.GetTextureFrame();
    const std::vector<uint16_t>& indices = mesh_.GetIndices();
    indices_ = std::make_unique<tr_IndexList>();
    if (indices_->Create(static_cast<int>(indices.size())))
        for (uint16_t index : indices)
            indices_->AddIndex(index);
    frame_ = 0;
    Rebuild();
}

void tr_Grid::Deinitialise() {
    if (!initialised_)
        return;
    mesh_.Clear();
    current_.clear();
    indices_.reset();
    vertices_.reset();
    playing_ = false;
    frame_ = 0;
    initialised_ = false;
}

void tr_Grid::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    const std::string& name = mesh_.GetTextureName();
    if (name.empty())
        return;
    tr_ResourceRegistry* registry = tr_ResourceRegistry::GetOrCreate();
    if (tr_ContentPath::Exists(name + ".xml"))
        texture_ = registry->GetFrameTexture(name);
    if (!texture_)
        texture_ = registry->GetTexture(name);
}

void tr_Grid::UnloadResources() {
    if (!resources_loaded_)
        return;
    texture_.reset();
    resources_loaded_ = false;
}

void tr_Grid::Play(const std::string& end_trigger) {
    if (mesh_.GetKeyFrameCount() == 0)
        return;
    frame_ = 0;
    timer_ = mesh_.GetFrameDuration();
    playing_ = true;
    endtrig_ = end_trigger;
    dirty_ = true;
}

void tr_Grid::SetPaused(bool paused) {
    playing_ = !paused && mesh_.GetKeyFrameCount() > 0;
}

void tr_Grid::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    const int count = mesh_.GetKeyFrameCount();
    if (playing_ && count > 0) {
        dirty_ = true;
        timer_ -= frame.dt;
        if (timer_ <= 0.0f) {
            ++frame_;
            if (frame_ < count) {
                timer_ += mesh_.GetFrameDuration();
            } else if (mesh_.IsLooping()) {
                frame_ = 0;
                timer_ += mesh_.GetFrameDuration();
            } else {
                frame_ = count - 1;
                playing_ = false;
                tr_QueueObjectCall(GetName(), endtrig_);
            }
        }
    }
    if (dirty_) {
        Rebuild();
        dirty_ = false;
    }
}

void tr_Grid::Rebuild() {
    const std::vector<tr_GridKeyFrame>& keys = mesh_.GetKeyFrames();
    const int count = static_cast<int>(keys.size());
    if (count == 0) {
        current_.clear();
        return;
    }
    frame_ = std::max(0, std::min(frame_, count - 1));
    int next = frame_ + 1;
    if (next >= count)
        next = mesh_.IsLooping() ? 0 : frame_;
    const tr_GridKeyFrame& from = keys[static_cast<size_t>(frame_)];
    if (!playing_ || next == frame_) {
        current_ = from.vertices;
        return;
    }
    const tr_GridKeyFrame& to = keys[static_cast<size_t>(next)];
    const float t = 1.0f - std::max(timer_, 0.0f) / mesh_.GetFrameDuration();
    current_.resize(from.vertices.size());
    for (size_t i = 0; i < current_.size(); ++i) {
        const tr_GridVertex& a = from.vertices[i];
        const tr_GridVertex& b = to.vertices[i];
        tr_GridVertex& out = current_[i];
        out = a;
        out.pos_x = Blend(to.interp, a.pos_x, b.pos_x, t);
        out.pos_y = Blend(to.interp, a.pos_y, b.pos_y, t);
        out.tu = Blend(to.interp, a.tu, b.tu, t);
        out.tv = Blend(to.interp, a.tv, b.tv, t);
    }
}

void tr_Grid::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render || !texture_ || current_.empty() || !indices_ || indices_->GetCount() == 0)
        return;
    const int count = static_cast<int>(current_.size());
    if (!vertices_ || vertices_->GetCapacity() < count) {
        vertices_ = std::make_unique<tr_VertexList>();
        if (!vertices_->Create(count))
            return;
    }
    vertices_->Clear();
    const tr_Rect uv = texture_->GetUV(state);
    const tr_Matrix& m = state.transform;
    for (const tr_GridVertex& v : current_) {
        vertices_->AddVertex(v.pos_x * m[0] + v.pos_y * m[4] + m[12],
                             v.pos_x * m[1] + v.pos_y * m[5] + m[13], uv.x + v.tu * uv.w,
                             uv.y + v.tv * uv.h, state.red, state.green, state.blue, state.alpha);
    }
    tr_DrawState world = state;
    world.transform = tr_Matrix::Identity();
    render->DrawIndexed(texture_, *vertices_, *indices_, world);
}
