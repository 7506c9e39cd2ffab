// tr_AudioBackend: the audio output the sound hub plays through. A back end
// opens Ogg Vorbis files as streams addressed by a handle; handle 0 is never a
// valid stream, so a failed open simply yields a stream that is never active.
// The sound hub owns its back end; every call comes from the main thread.
// Implementations: tr_AudioBackend_SDL (a device and a mixer) and
// tr_AudioBackend_Null (no device: nothing opens, nothing is ever active).
#pragma once

#include <cstdint>

typedef uint32_t tr_AudioStreamHandle;

class tr_AudioBackend {
public:
    virtual ~tr_AudioBackend() = default;

    // False when there is no output device; sounds then end on their first update.
    virtual bool HasDevice() const = 0;

    // Opens the file (already resolved to a real path) as a stream, stopped at
    // its start; 0 when the file is not a readable Ogg Vorbis stream.
    virtual tr_AudioStreamHandle Open(const char* path, bool loop) = 0;

    // Starts or resumes the stream; restart rewinds it to the beginning first.
    virtual void Play(tr_AudioStreamHandle stream, bool restart) = 0;
    virtual void Pause(tr_AudioStreamHandle stream) = 0;
    virtual void Stop(tr_AudioStreamHandle stream) = 0;
    // Releases the stream; the handle is invalid afterwards.
    virtual void Free(tr_AudioStreamHandle stream) = 0;
    // Linear gain, 0..1.
    virtual void SetVolume(tr_AudioStreamHandle stream, float volume) = 0;
    // True while the stream plays or is paused, and has not reached its end.
    virtual bool IsActive(tr_AudioStreamHandle stream) const = 0;
};
