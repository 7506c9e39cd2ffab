// tr_AudioBackend_SDL: audio output through one SDL2 device (44,100 Hz,
// stereo, float) whose callback mixes every playing stream, plus the feeder
// thread that decodes ahead (see tr_AudioMixer_SDL for the threading). The
// sound hub owns it: the SDL host calls
//   tr_SoundHub::GetOrCreate()->InitOutput(tr_AudioBackend_SDL::Create());
// once at start-up. Destroying it closes the device and joins the feeder.
#pragma once

#include "engine/platform/sdl/tr_AudioMixer_SDL.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <thread>

class tr_AudioBackend_SDL : public tr_AudioBackend {
public:
    // The SDL output, or the null back end when no device opens or when the
    // driver is SDL's "dummy" (which would play into nothing).
    static std::unique_ptr<tr_AudioBackend> Create();

    ~tr_AudioBackend_SDL() override;

    bool HasDevice() const override { return true; }
    tr_AudioStreamHandle Open(const char* path, bool loop) override;
    void Play(tr_AudioStreamHandle stream, bool restart) override;
    void Pause(tr_AudioStreamHandle stream) override { mixer.Pause(stream); }
    void Stop(tr_AudioStreamHandle stream) override { mixer.Stop(stream); }
    void Free(tr_AudioStreamHandle stream) override { mixer.Free(stream); }
    void SetVolume(tr_AudioStreamHandle stream, float volume) override {
        mixer.SetVolume(stream, volume);
    }
    bool IsActive(tr_AudioStreamHandle stream) const override { return mixer.IsActive(stream); }

private:
    tr_AudioBackend_SDL() = default;
    bool Start();
    void FeederLoop();
    void WakeFeeder();
    static void Callback(void* self, uint8_t* stream, int bytes);

    tr_AudioMixer_SDL mixer;
    uint32_t device = 0;
    std::thread feeder;
    std::mutex wake_mutex;
    std::condition_variable wake;
    bool wake_requested = false;
    bool quitting = false;
};
