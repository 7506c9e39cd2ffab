// tr_Video: the scene object that shows a video (type "video"). Its "res" is
// the video's path without extension; the playback itself (streams, timing,
// frame skipping, subtitles) is a tr_VideoClip, and this object adds the
// attributes, the texture that shows the current frame and the end trigger,
// queued with the object as sender when the video ends. The texture is a
// generated texture owned here and shared with whoever asks GetResource.
// Script functions map onto it: VidPlay -> Play, VidStop -> Rewind,
// VidPause -> SetPaused.
#pragma once

#include "engine/resources/media/tr_VideoClip.h"
#include "engine/scene/tr_Object.h"

#include <memory>
#include <string>

class tr_GeneratedTexture;

class tr_Video : public tr_Object {
public:
    tr_Video();
    explicit tr_Video(std::string name);
    ~tr_Video() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::shared_ptr<tr_Resource> GetResource() override;
    std::string GetType() const override { return "video"; }
    tr_Rect GetDrawRect() override;
    // Also after a display reset: decodes the current frame again and uploads it.
    void Refresh(bool recursive) override;
    void ResetDefaults() override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    virtual void Play(const std::string& end_trigger) { clip_->Play(end_trigger); }
    virtual void Rewind() { clip_->Rewind(); }
    virtual void SetPaused(bool paused) { clip_->SetPaused(paused); }
    virtual void Seek(int frame) { clip_->Seek(frame); }
    // Takes effect at the next LoadResources.
    virtual void SetCountFrames(bool count) { clip_->SetCountFrames(count); }
    virtual bool IsPlaying() const { return clip_->IsPlaying(); }
    virtual bool IsLooped() const { return clip_->IsLooped(); }
    virtual void SetLooped(bool looped) { clip_->SetLooped(looped); }
    virtual int GetFrameCount() const { return clip_->GetFrameCount(); }
    virtual float GetDuration() const { return clip_->GetDuration(); }

    int GetFrame() const { return clip_->GetFrame(); }
    const std::shared_ptr<tr_GeneratedTexture>& GetTexture() const { return texture_; }

private:
    void MakeClip();
    void UploadFrame();

    std::unique_ptr<tr_VideoClip> clip_;
    std::shared_ptr<tr_GeneratedTexture> texture_;
};
