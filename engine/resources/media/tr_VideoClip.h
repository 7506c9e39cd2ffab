// tr_VideoClip: the playback core of a video scene object, without the scene
// or the texture. It opens "<res>.ogg" with its alpha and subtitle files, keeps
// time and the frame now shown, skips late frames without converting them and
// converts only the frame due now into a BGRA pixel buffer (0xAARRGGBB,
// little-endian). The owner installs two handlers: the frame handler uploads
// the buffer after every new picture; the end handler runs the end trigger.
// Frame numbers count from 0; the frame shown is always the one last decoded.
#pragma once

#include "engine/resources/media/tr_SubtitleTrack.h"
#include "engine/resources/media/tr_VideoPlayer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class tr_VideoClip {
public:
    using EndHandler = std::function<void(const std::string& end_trigger)>;
    using FrameHandler = std::function<void()>;

    tr_VideoClip() = default;
    tr_VideoClip(const tr_VideoClip&) = delete;
    tr_VideoClip& operator=(const tr_VideoClip&) = delete;

    // Opens res + ".ogg" (owner is the object name for log lines) and shows
    // the current frame. A missing file or one that cannot be decoded is
    // logged and plays as an empty video that ends at once (no picture).
    // Does nothing when already loaded.
    void Load(const std::string& owner, const std::string& res);
    void Unload();
    bool IsLoaded() const { return player != nullptr; }

    // raw_dt: the unclamped time step of the frame.
    void Update(float raw_dt);

    void Play(const std::string& end_trigger);
    void Rewind();
    void SetPaused(bool paused) { playing = !paused; }
    void Seek(int frame);
    // Re-decodes the current frame and hands it to the frame handler again.
    void Refresh();

    void SetCountFrames(bool count) { count_frames = count; }
    bool IsPlaying() const { return playing; }
    bool IsLooped() const { return looped; }
    void SetLooped(bool loop) { looped = loop; }
    int GetFrameCount() const { return frame_count; }
    float GetDuration() const { return static_cast<float>(frame_count) * frame_duration; }
    int GetFrame() const { return frame; }
    float GetTime() const { return time; }
    const std::string& GetEndTrigger() const { return end_trigger; }
    void SetEndTrigger(const std::string& trigger) { end_trigger = trigger; }

    void SetEndHandler(EndHandler handler) { on_end = std::move(handler); }
    void SetFrameHandler(FrameHandler handler) { on_frame = std::move(handler); }
    // Null until loaded; lets tests listen to the subtitles directly.
    tr_SubtitleTrack* GetSubtitles() { return subtitles.get(); }

    // The picture: width x height pixels inside a buffer padded to even
    // dimensions (the padding is transparent black), rows GetStride() bytes
    // apart. Empty before the first picture.
    const uint8_t* GetPixels() const { return pixels.empty() ? nullptr : pixels.data(); }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetPaddedWidth() const { return (width + 1) & ~1; }
    int GetPaddedHeight() const { return (height + 1) & ~1; }
    int GetStride() const { return GetPaddedWidth() * 4; }
    // Grows by one with every new picture.
    uint32_t GetPictureSerial() const { return picture_serial; }

private:
    bool ShowNextFrame();
    bool ShowFrameAt(int n);
    int TargetFrame() const;
    void ReachEnd();

    std::unique_ptr<tr_VideoPlayer> player;
    std::unique_ptr<tr_SubtitleTrack> subtitles;
    float time = 0.0f;
    float frame_duration = 1.0f / 25.0f;
    int frame = 0;
    int frame_count = 0;
    bool playing = false;
    bool looped = false;
    bool count_frames = false;
    std::string end_trigger;
    EndHandler on_end;
    FrameHandler on_frame;
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
    uint32_t picture_serial = 0;
};
