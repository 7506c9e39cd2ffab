#include "engine/platform/sdl/tr_AudioMixer_SDL.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/media/tr_VorbisDecoder.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Half a second of output per stream: far more than the feeder's wake-up
// interval, small enough that eight streams stay under 3 MB.
const int kRingFrames = 22050;
// Frames decoded or converted per step of the feeder.
const int kChunkFrames = 2048;

enum PlayState : int { STOPPED = 0, PLAYING = 1, PAUSED = 2 };

} // namespace

class tr_AudioMixer_SDL::Stream {
public:
    ~Stream() {
        if (converter) {
            SDL_FreeAudioStream(converter);
        }
    }

    // Empty when the stream is ready, otherwise why it cannot play.
    std::string Open(const char* path, bool looped) {
        if (!decoder.OpenFile(path, kMaxSourceChannels)) {
            return decoder.Error();
        }
        converter = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(decoder.Channels()),
                                       static_cast<int>(decoder.Rate()), AUDIO_F32SYS,
                                       kOutputChannels, kOutputRate);
        if (!converter) {
            return SDL_GetError();
        }
        loop = looped;
        ring.assign(static_cast<size_t>(kRingFrames) * kOutputChannels, 0.0f);
        return "";
    }

    // Feeder thread only.
    void Fill() {
        if (restart_pending.load(std::memory_order_acquire)) {
            Rewind();
        }
        if (source_done.load(std::memory_order_relaxed)) {
            return;
        }
        std::vector<float>& scratch = feeder_scratch;
        scratch.resize(static_cast<size_t>(kChunkFrames) * kOutputChannels);
        for (;;) {
            size_t space;
            {
                std::lock_guard<std::mutex> lock(ring_mutex);
                space = ring.size() / kOutputChannels - ring_count;
            }
            if (space == 0) {
                return;
            }
            const int frame_bytes = kOutputChannels * static_cast<int>(sizeof(float));
            const int ready = SDL_AudioStreamAvailable(converter) / frame_bytes;
            if (ready == 0) {
                if (flushed) {
                    source_done.store(true, std::memory_order_release);
                    return;
                }
                DecodeChunk();
                continue;
            }
            const int want = std::min<int>({ready, static_cast<int>(space), kChunkFrames});
            const int got = SDL_AudioStreamGet(converter, scratch.data(), want * frame_bytes);
            if (got <= 0) {
                FinishSource();
                continue;
            }
            Push(scratch.data(), static_cast<size_t>(got / frame_bytes));
        }
    }

    // Device callback only: adds this stream's next frames into out.
    void MixInto(float* out, int frames) {
        if (state.load(std::memory_order_acquire) != PLAYING ||
            restart_pending.load(std::memory_order_acquire) ||
            ended.load(std::memory_order_acquire)) {
            return;
        }
        const bool done = source_done.load(std::memory_order_acquire);
        const float gain = volume.load(std::memory_order_relaxed);
        std::lock_guard<std::mutex> lock(ring_mutex);
        const size_t ring_frames = ring.size() / kOutputChannels;
        size_t todo = std::min(static_cast<size_t>(frames), ring_count);
        float* dst = out;
        while (todo > 0) {
            const size_t run = std::min(todo, ring_frames - ring_read);
            const float* src = ring.data() + ring_read * kOutputChannels;
            for (size_t i = 0; i < run * kOutputChannels; ++i) {
                dst[i] += src[i] * gain;
            }
            dst += run * kOutputChannels;
            ring_read = (ring_read + run) % ring_frames;
            ring_count -= run;
            todo -= run;
        }
        if (ring_count == 0 && done) {
            ended.store(true, std::memory_order_release);
        }
    }

    std::atomic<int> state{STOPPED};
    std::atomic<bool> ended{false};
    std::atomic<bool> restart_pending{false};
    std::atomic<float> volume{1.0f};

private:
    void Push(const float* frames, size_t count) {
        std::lock_guard<std::mutex> lock(ring_mutex);
        const size_t ring_frames = ring.size() / kOutputChannels;
        size_t write = (ring_read + ring_count) % ring_frames;
        for (size_t done = 0; done < count;) {
            const size_t run = std::min(count - done, ring_frames - write);
            std::memcpy(ring.data() + write * kOutputChannels, frames + done * kOutputChannels,
                        run * kOutputChannels * sizeof(float));
            done += run;
            write = (write + run) % ring_frames;
        }
        ring_count += count;
    }

    void DecodeChunk() {
        const long got = decoder.Read(interleaved, kChunkFrames);
        if (got == 0) {
            // A loop seeks back only after the pass produced sound, so an empty
            // or undecodable file cannot spin the feeder forever.
            if (loop && decoded_since_rewind && decoder.Rewind()) {
                decoded_since_rewind = false;
                return;
            }
            FinishSource();
            return;
        }
        decoded_since_rewind = true;
        if (SDL_AudioStreamPut(converter, interleaved.data(),
                               static_cast<int>(interleaved.size() * sizeof(float))) != 0) {
            FinishSource();
        }
    }

    void FinishSource() {
        if (!flushed) {
            SDL_AudioStreamFlush(converter);
            flushed = true;
        }
    }

    void Rewind() {
        decoder.Rewind();
        SDL_AudioStreamClear(converter);
        flushed = false;
        decoded_since_rewind = false;
        {
            std::lock_guard<std::mutex> lock(ring_mutex);
            ring_read = 0;
            ring_count = 0;
        }
        source_done.store(false, std::memory_order_release);
        restart_pending.store(false, std::memory_order_release);
    }

    // Owned by the feeder once the stream is published.
    tr_VorbisDecoder decoder;
    SDL_AudioStream* converter = nullptr;
    bool loop = false;
    bool flushed = false;
    bool decoded_since_rewind = false;
    std::vector<float> interleaved;
    std::vector<float> feeder_scratch;

    // Set by the feeder when everything decoded has been pushed.
    std::atomic<bool> source_done{false};

    std::mutex ring_mutex;
    std::vector<float> ring;
    size_t ring_read = 0;
    size_t ring_count = 0;
};

tr_AudioMixer_SDL::tr_AudioMixer_SDL() = default;
tr_AudioMixer_SDL::~tr_AudioMixer_SDL() = default;

tr_AudioStreamHandle tr_AudioMixer_SDL::Open(const char* path, bool loop) {
    if (!path) {
        return 0;
    }
    auto stream = std::make_shared<Stream>();
    const std::string fault = stream->Open(path, loop);
    if (!fault.empty()) {
        // Once per file: a damaged click played on every press says it once.
        if (refused.insert(path).second) {
            tr_Log("Warning: sound \"%s\" cannot be played: %s", path, fault.c_str());
        }
        return 0;
    }
    std::lock_guard<std::mutex> lock(table_mutex);
    tr_AudioStreamHandle handle = next_handle++;
    if (next_handle == 0) {
        next_handle = 1;
    }
    streams[handle] = std::move(stream);
    return handle;
}

std::shared_ptr<tr_AudioMixer_SDL::Stream>
tr_AudioMixer_SDL::Find(tr_AudioStreamHandle handle) const {
    std::lock_guard<std::mutex> lock(table_mutex);
    auto it = streams.find(handle);
    return it == streams.end() ? nullptr : it->second;
}

void tr_AudioMixer_SDL::Play(tr_AudioStreamHandle handle, bool restart) {
    auto stream = Find(handle);
    if (!stream) {
        return;
    }
    if (restart) {
        // The callback ignores a stream while its restart is pending, so the
        // end flag cannot be raised again from the old position.
        stream->restart_pending.store(true, std::memory_order_release);
        stream->ended.store(false, std::memory_order_release);
    }
    stream->state.store(PLAYING, std::memory_order_release);
}

void tr_AudioMixer_SDL::Pause(tr_AudioStreamHandle handle) {
    auto stream = Find(handle);
    if (stream && stream->state.load() == PLAYING) {
        stream->state.store(PAUSED, std::memory_order_release);
    }
}

void tr_AudioMixer_SDL::Stop(tr_AudioStreamHandle handle) {
    if (auto stream = Find(handle)) {
        stream->state.store(STOPPED, std::memory_order_release);
    }
}

void tr_AudioMixer_SDL::Free(tr_AudioStreamHandle handle) {
    std::shared_ptr<Stream> doomed;
    {
        std::lock_guard<std::mutex> lock(table_mutex);
        auto it = streams.find(handle);
        if (it == streams.end()) {
            return;
        }
        doomed = std::move(it->second);
        streams.erase(it);
    }
    // The decoder is released here, outside the lock, unless the feeder still
    // holds the stream, in which case it goes when the feeder lets go.
}

void tr_AudioMixer_SDL::SetVolume(tr_AudioStreamHandle handle, float volume) {
    if (auto stream = Find(handle)) {
        stream->volume.store(std::clamp(volume, 0.0f, 1.0f), std::memory_order_relaxed);
    }
}

bool tr_AudioMixer_SDL::IsActive(tr_AudioStreamHandle handle) const {
    auto stream = Find(handle);
    return stream && stream->state.load(std::memory_order_acquire) != STOPPED &&
           !stream->ended.load(std::memory_order_acquire);
}

int tr_AudioMixer_SDL::CountStreams() const {
    std::lock_guard<std::mutex> lock(table_mutex);
    return static_cast<int>(streams.size());
}

void tr_AudioMixer_SDL::Feed() {
    std::vector<std::shared_ptr<Stream>> snapshot;
    {
        std::lock_guard<std::mutex> lock(table_mutex);
        snapshot.reserve(streams.size());
        for (auto& entry : streams) {
            snapshot.push_back(entry.second);
        }
    }
    for (auto& stream : snapshot) {
        stream->Fill();
    }
}

void tr_AudioMixer_SDL::Mix(float* out, int frames) {
    std::fill(out, out + static_cast<size_t>(frames) * kOutputChannels, 0.0f);
    {
        std::lock_guard<std::mutex> lock(table_mutex);
        for (auto& entry : streams) {
            entry.second->MixInto(out, frames);
        }
    }
    for (size_t i = 0; i < static_cast<size_t>(frames) * kOutputChannels; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
}
