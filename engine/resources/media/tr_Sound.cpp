#include "engine/resources/media/tr_Sound.h"

#include "engine/core/tr_FrameInfo.h"

#include <algorithm>

tr_Sound::tr_Sound(tr_AudioBackend* backend, std::string name, std::string category, bool keep)
    : backend(backend), category(std::move(category)), name(std::move(name)), keep(keep) {}

tr_Sound::~tr_Sound() {
    StopStream();
}

void tr_Sound::Finish() {
    state = STATE_FINISHED;
}

void tr_Sound::SetVolume(float v) {
    volume = v;
    current = v;
    ApplyVolume(v);
}

void tr_Sound::Start(const char* path, bool looped, float fade_in_seconds) {
    loop = looped;
    stream = backend->Open(path, loop);
    if (stream != 0) {
        backend->Play(stream, true);
    }
    // A negative fade would give a negative rate that never reaches the volume.
    if (fade_in_seconds > 0.0f) {
        state = STATE_FADING_IN;
        fade_rate = 1.0f / fade_in_seconds;
        current = 0.0f;
    } else {
        state = STATE_PLAYING;
        current = volume;
    }
    ApplyVolume(current);
}

void tr_Sound::FadeOut(float seconds) {
    if (seconds > 0.0f) {
        state = STATE_FADING_OUT;
        fade_rate = 1.0f / seconds;
    } else {
        state = STATE_FINISHED;
    }
}

void tr_Sound::SetPaused(bool value) {
    paused = value;
    if (stream == 0) {
        return;
    }
    if (paused) {
        backend->Pause(stream);
    } else {
        backend->Play(stream, false);
    }
}

void tr_Sound::Update(const tr_FrameInfo* info) {
    if (paused) {
        return;
    }
    const float dt = info ? info->dt : 0.0f;
    if (state == STATE_FADING_IN) {
        current = std::min(volume, current + fade_rate * dt);
        ApplyVolume(current);
        if (current == volume) {
            state = STATE_PLAYING;
        }
    } else if (state == STATE_FADING_OUT) {
        current = std::max(0.0f, current - fade_rate * dt);
        ApplyVolume(current);
        if (current == 0.0f) {
            state = STATE_FINISHED;
        }
    }
    if (!backend->IsActive(stream)) {
        Finish();
    }
}

void tr_Sound::StopStream() {
    if (stream == 0) {
        return;
    }
    backend->Stop(stream);
    backend->Free(stream);
    stream = 0;
}

void tr_Sound::ApplyVolume(float v) {
    if (stream != 0) {
        backend->SetVolume(stream, v);
    }
}
