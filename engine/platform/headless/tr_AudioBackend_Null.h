// tr_AudioBackend_Null: the audio back end without an output device. No file
// opens, so every sound's stream is inactive and the sound finishes on its
// first update, just as with a machine that has no sound card. The sound hub
// uses it until a real output is installed, and headless runs keep it.
#pragma once

#include "engine/resources/media/tr_AudioBackend.h"

class tr_AudioBackend_Null : public tr_AudioBackend {
public:
    bool HasDevice() const override { return false; }
    tr_AudioStreamHandle Open(const char*, bool) override { return 0; }
    void Play(tr_AudioStreamHandle, bool) override {}
    void Pause(tr_AudioStreamHandle) override {}
    void Stop(tr_AudioStreamHandle) override {}
    void Free(tr_AudioStreamHandle) override {}
    void SetVolume(tr_AudioStreamHandle, float) override {}
    bool IsActive(tr_AudioStreamHandle) const override { return false; }
};
