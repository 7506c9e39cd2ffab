#include "engine/platform/sdl/tr_AudioBackend_SDL.h"

#include "engine/core/tr_Backends.h"
#include "engine/core/tr_Log.h"

#include <SDL.h>

#include <chrono>
#include <cstring>

namespace {

// 1024 frames is 23 ms at 44.1 kHz; the feeder wakes four times as often, so a
// ring of half a second never runs dry under normal load.
const Uint16 kDeviceFrames = 1024;
const auto kFeederInterval = std::chrono::milliseconds(5);

} // namespace

std::unique_ptr<tr_AudioBackend> tr_AudioBackend_SDL::Create() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        tr_Log("Warning: no audio output (%s)", SDL_GetError());
        return tr_Backends::MakeAudio("null");
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver && std::strcmp(driver, "dummy") == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return tr_Backends::MakeAudio("null");
    }
    std::unique_ptr<tr_AudioBackend_SDL> backend(new tr_AudioBackend_SDL());
    if (!backend->Start()) {
        tr_Log("Warning: no audio output (%s)", SDL_GetError());
        backend.reset();
        return tr_Backends::MakeAudio("null");
    }
    return backend;
}

bool tr_AudioBackend_SDL::Start() {
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = tr_AudioMixer_SDL::kOutputRate;
    want.format = AUDIO_F32SYS;
    want.channels = tr_AudioMixer_SDL::kOutputChannels;
    want.samples = kDeviceFrames;
    want.callback = &tr_AudioBackend_SDL::Callback;
    want.userdata = this;
    SDL_AudioSpec have;
    // No allowed changes: SDL converts behind the callback if the hardware
    // differs, so the mixer always works in one format.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        return false;
    }
    feeder = std::thread(&tr_AudioBackend_SDL::FeederLoop, this);
    SDL_PauseAudioDevice(device, 0);
    return true;
}

tr_AudioBackend_SDL::~tr_AudioBackend_SDL() {
    if (device != 0) {
        // Closing waits for a running callback, so the mixer is idle after it.
        SDL_CloseAudioDevice(device);
    }
    if (feeder.joinable()) {
        {
            std::lock_guard<std::mutex> lock(wake_mutex);
            quitting = true;
        }
        wake.notify_one();
        feeder.join();
    }
    // Balances the InitSubSystem of Create (made whenever this object exists).
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

tr_AudioStreamHandle tr_AudioBackend_SDL::Open(const char* path, bool loop) {
    const tr_AudioStreamHandle handle = mixer.Open(path, loop);
    WakeFeeder();
    return handle;
}

void tr_AudioBackend_SDL::Play(tr_AudioStreamHandle stream, bool restart) {
    mixer.Play(stream, restart);
    WakeFeeder();
}

void tr_AudioBackend_SDL::WakeFeeder() {
    {
        std::lock_guard<std::mutex> lock(wake_mutex);
        wake_requested = true;
    }
    wake.notify_one();
}

void tr_AudioBackend_SDL::FeederLoop() {
    std::unique_lock<std::mutex> lock(wake_mutex);
    while (!quitting) {
        wake_requested = false;
        lock.unlock();
        mixer.Feed();
        lock.lock();
        // With nothing to decode the feeder sleeps until a stream opens.
        if (mixer.CountStreams() == 0) {
            wake.wait(lock, [this] { return quitting || wake_requested; });
        } else {
            wake.wait_for(lock, kFeederInterval, [this] { return quitting || wake_requested; });
        }
    }
}

void tr_AudioBackend_SDL::Callback(void* self, uint8_t* stream, int bytes) {
    const int frame_bytes = tr_AudioMixer_SDL::kOutputChannels * static_cast<int>(sizeof(float));
    static_cast<tr_AudioBackend_SDL*>(self)->mixer.Mix(reinterpret_cast<float*>(stream),
                                                       bytes / frame_bytes);
}
