// tr_Sound: one playing sound of the sound hub. The hub creates, updates and
// deletes sounds; callers never hold one. A sound owns its stream on the hub's
// audio back end (which must outlive it) and frees it when deleted.
#pragma once

#include "engine/resources/media/tr_AudioBackend.h"

#include <string>

struct tr_FrameInfo;

class tr_Sound {
public:
    enum State : int32_t {
        STATE_NEW = 0,
        STATE_FADING_IN = 1,
        STATE_PLAYING = 2,
        STATE_FADING_OUT = 3,
        STATE_FINISHED = 4,
    };

    tr_Sound(tr_AudioBackend* backend, std::string name, std::string category, bool keep);
    virtual ~tr_Sound();

    virtual void Finish();
    virtual void SetVolume(float v);
    // Opens the sound's resolved file and plays it from the start; a fade of
    // zero or less starts at full volume at once.
    virtual void Start(const char* path, bool loop, float fade_in_seconds);
    // Zero or less finishes the sound at once.
    virtual void FadeOut(float seconds);
    virtual void SetPaused(bool value);
    virtual void Update(const tr_FrameInfo* info);
    virtual void StopStream();
    virtual void ApplyVolume(float v);

    const std::string& GetName() const { return name; }
    const std::string& GetCategory() const { return category; }
    State GetState() const { return state; }
    float GetVolume() const { return volume; }
    float GetCurrentVolume() const { return current; }
    bool IsPaused() const { return paused; }
    bool IsLooped() const { return loop; }
    bool GetKeepFlag() const { return keep; }

private:
    tr_AudioBackend* backend;
    bool loop = false;
    std::string category;
    std::string name;
    float volume = 1.0f;
    float current = 1.0f;
    float fade_rate = 0.0f;
    State state = STATE_NEW;
    bool paused = false;
    bool keep = false;
    tr_AudioStreamHandle stream = 0;
};
