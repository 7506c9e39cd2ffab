#include "engine/resources/media/tr_VideoClip.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <cmath>

void tr_VideoClip::Load(const std::string& owner, const std::string& res) {
    if (player) {
        return;
    }
    const std::string colour_path = res + ".ogg";
    if (!tr_ContentPath::Exists(colour_path)) {
        tr_Log("Error: video %s could not find \"%s\" ogg file!", owner.c_str(), res.c_str());
        // A player that never opened yields no frame: played, the video ends
        // at once with its end trigger, so content waiting for it goes on.
        player = std::make_unique<tr_VideoPlayer>();
        return;
    }
    std::string alpha_path = res + ".zalpha";
    if (!tr_ContentPath::Exists(alpha_path)) {
        alpha_path = res + ".oggalpha";
        if (!tr_ContentPath::Exists(alpha_path)) {
            alpha_path.clear();
        }
    }
    player = std::make_unique<tr_VideoPlayer>();
    if (!player->Open(colour_path, alpha_path)) {
        // Kept as a player at its end: playing it ends at once, like a
        // decoding error in the middle of a video.
        tr_Log("Error: video %s could not play \"%s\": %s", owner.c_str(), colour_path.c_str(),
               player->GetError().c_str());
    } else {
        width = player->GetWidth();
        height = player->GetHeight();
        frame_duration = static_cast<float>(1.0 / player->GetFrameRate());
        pixels.assign(static_cast<size_t>(GetStride()) * static_cast<size_t>(GetPaddedHeight()), 0);
        frame_count = count_frames ? player->CountFrames() : 0;
        ShowFrameAt(frame);
    }
    time = static_cast<float>(frame) * frame_duration;
    const std::string subtitle_path = res + ".srt";
    if (tr_ContentPath::Exists(subtitle_path)) {
        subtitles = std::make_unique<tr_SubtitleTrack>();
        subtitles->Load(subtitle_path);
    }
}

void tr_VideoClip::Unload() {
    // A subtitle on screen would otherwise outlive its video.
    if (subtitles) {
        subtitles->Reset();
    }
    player.reset();
    subtitles.reset();
    pixels.clear();
    pixels.shrink_to_fit();
    width = 0;
    height = 0;
}

int tr_VideoClip::TargetFrame() const {
    // The small allowance keeps a step of exactly one frame time from landing
    // a hair short of the frame because of rounding.
    const float target = std::floor(time / frame_duration + 1e-4f);
    return target > 2e9f ? 2000000000 : static_cast<int>(target);
}

void tr_VideoClip::Update(float raw_dt) {
    if (!playing || !player) {
        return;
    }
    time += raw_dt;
    int target = TargetFrame();
    while (frame < target - 1) {
        if (!player->DecodeFrame(false)) {
            ReachEnd();
            target = TargetFrame();
            break;
        }
        ++frame;
    }
    if (subtitles) {
        subtitles->Update(time);
    }
    // A video that just ended without looping stays on its last frame and
    // must not report its end a second time.
    if (playing && target - frame == 1) {
        if (ShowNextFrame()) {
            ++frame;
        } else {
            ReachEnd();
        }
    }
}

void tr_VideoClip::ReachEnd() {
    playing = false;
    if (on_end) {
        on_end(end_trigger);
    }
    if (looped && !playing) {
        Play(end_trigger);
        // A video that yields no frame at all would restart on every update.
        if (player && player->GetPosition() == 0) {
            playing = false;
        }
    }
}

void tr_VideoClip::Play(const std::string& trigger) {
    if (playing) {
        return;
    }
    playing = true;
    end_trigger = trigger;
    time = 0.0f;
    frame = 0;
    if (subtitles) {
        subtitles->Reset();
    }
    if (player) {
        ShowFrameAt(0);
    }
}

void tr_VideoClip::Rewind() {
    time = 0.0f;
    playing = false;
    frame = 0;
    if (subtitles) {
        subtitles->Reset();
    }
    if (player) {
        ShowFrameAt(0);
    }
}

void tr_VideoClip::Seek(int target) {
    if (target < 0 || target == frame || (count_frames && target >= frame_count)) {
        return;
    }
    time = 0.0f;
    playing = false;
    frame = target;
    if (player) {
        ShowFrameAt(target);
    }
}

void tr_VideoClip::Refresh() {
    if (!player) {
        return;
    }
    ShowFrameAt(frame);
    time = static_cast<float>(frame) * frame_duration;
}

bool tr_VideoClip::ShowFrameAt(int n) {
    return player->PositionOn(n) && ShowNextFrame();
}

bool tr_VideoClip::ShowNextFrame() {
    if (!player->DecodeFrame(true) || !player->Convert(pixels.data(), GetStride())) {
        return false;
    }
    ++picture_serial;
    if (on_frame) {
        on_frame();
    }
    return true;
}
