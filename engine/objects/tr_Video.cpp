#include "engine/objects/tr_Video.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_Render.h"
#include "engine/script/tr_CallQueue.h"

tr_Video::tr_Video() {
    MakeClip();
}

tr_Video::tr_Video(std::string name) : tr_Object(std::move(name)) {
    MakeClip();
}

tr_Video::~tr_Video() {
    UnloadResources();
}

void tr_Video::MakeClip() {
    clip_ = std::make_unique<tr_VideoClip>();
    clip_->SetFrameHandler([this] { UploadFrame(); });
    clip_->SetEndHandler(
        [this](const std::string& end_trigger) { tr_QueueObjectCall(name_, end_trigger); });
}

void tr_Video::ResetDefaults() {
    tr_Object::ResetDefaults();
    texture_.reset();
    MakeClip();
}

void tr_Video::Load(tr_SLHelper& helper) {
    tr_Object::Load(helper);
    bool playing = clip_->IsPlaying();
    if (helper.ReadBool("playing", playing)) {
        clip_->SetPaused(!playing);
    }
    bool looped = clip_->IsLooped();
    if (helper.ReadBool("looped", looped)) {
        clip_->SetLooped(looped);
    }
    std::string end_trigger = clip_->GetEndTrigger();
    if (helper.ReadString("endtrig", end_trigger)) {
        clip_->SetEndTrigger(end_trigger);
    }
    int frame = 0;
    if (helper.ReadInt("frame", frame)) {
        clip_->Seek(frame);
    }
}

void tr_Video::Save(tr_SLHelper& helper) {
    tr_Object::Save(helper);
    helper.WriteBool("playing", clip_->IsPlaying());
    helper.WriteBool("looped", clip_->IsLooped());
    helper.WriteString("endtrig", clip_->GetEndTrigger());
    helper.WriteInt("frame", clip_->GetFrame());
}

std::shared_ptr<tr_Resource> tr_Video::GetResource() {
    return texture_;
}

tr_Rect tr_Video::GetDrawRect() {
    return texture_ ? texture_->GetRect(own_state_) : tr_Rect();
}

void tr_Video::Refresh(bool recursive) {
    tr_Object::Refresh(recursive);
    clip_->Refresh();
}

void tr_Video::LoadResources() {
    if (resources_loaded_) {
        return;
    }
    resources_loaded_ = true;
    clip_->Load(name_, res_name_);
    if (texture_ && !input_rect_defined_) {
        input_rect_ = texture_->GetRect(own_state_);
    }
}

void tr_Video::UnloadResources() {
    if (!resources_loaded_) {
        return;
    }
    texture_.reset();
    clip_->Unload();
    resources_loaded_ = false;
}

void tr_Video::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    clip_->Update(frame.raw_dt);
}

void tr_Video::Draw(tr_Render* render, const tr_DrawState& state) {
    if (render && texture_) {
        render->DrawQuad(texture_, state);
    }
}

void tr_Video::UploadFrame() {
    const uint8_t* pixels = clip_->GetPixels();
    if (!pixels) {
        return;
    }
    // The texture is rewritten in place unless someone else still holds the
    // previous frame, who then keeps it.
    if (texture_ && texture_.use_count() == 1 &&
        texture_->UpdatePixels(pixels, clip_->GetWidth(), clip_->GetHeight(), clip_->GetStride())) {
        return;
    }
    auto texture = std::make_shared<tr_GeneratedTexture>();
    if (texture->CreateFromPixels(pixels, clip_->GetWidth(), clip_->GetHeight(),
                                  clip_->GetStride())) {
        texture_ = std::move(texture);
    }
}
