// tr_AudioMixer_SDL: the streams of the SDL audio back end and the mixing of
// them. Three threads meet here and none waits on another for long:
//  - the main thread opens, plays, pauses, stops, frees and sets volumes
//    (short locks, flags and atomics; opening reads the Vorbis headers);
//  - the feeder thread calls Feed(): it decodes each stream with
//    tr_VorbisDecoder, converts it to 44,100 Hz stereo float with an
//    SDL_AudioStream and fills the stream's bounded ring buffer;
//  - the device callback calls Mix(): it only copies from the rings, applying
//    each stream's volume, so its cost does not depend on the codec.
// Decoding off the callback keeps the callback short and predictable (eight
// Vorbis decoders in the callback would be several percent of a core and could
// hold the stream table lock long enough to stall the main thread).
#pragma once

#include "engine/resources/media/tr_AudioBackend.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class tr_AudioMixer_SDL {
public:
    static const int kOutputRate = 44100;
    static const int kOutputChannels = 2;
    // The most source channels the converter maps onto stereo.
    static const int kMaxSourceChannels = 8;

    tr_AudioMixer_SDL();
    ~tr_AudioMixer_SDL();
    tr_AudioMixer_SDL(const tr_AudioMixer_SDL&) = delete;
    tr_AudioMixer_SDL& operator=(const tr_AudioMixer_SDL&) = delete;

    // 0 when the file cannot be played; the reason is logged once per file.
    tr_AudioStreamHandle Open(const char* path, bool loop);
    void Play(tr_AudioStreamHandle handle, bool restart);
    void Pause(tr_AudioStreamHandle handle);
    void Stop(tr_AudioStreamHandle handle);
    void Free(tr_AudioStreamHandle handle);
    void SetVolume(tr_AudioStreamHandle handle, float volume);
    bool IsActive(tr_AudioStreamHandle handle) const;

    int CountStreams() const;

    // Decodes ahead on every stream until its ring is full or its file ends.
    void Feed();
    // Writes frames stereo float frames (interleaved) of the mix into out.
    void Mix(float* out, int frames);

private:
    class Stream;
    std::shared_ptr<Stream> Find(tr_AudioStreamHandle handle) const;

    mutable std::mutex table_mutex;
    std::map<tr_AudioStreamHandle, std::shared_ptr<Stream>> streams;
    tr_AudioStreamHandle next_handle = 1;
    std::set<std::string> refused; // main thread only
};
