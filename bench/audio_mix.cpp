// Mixing eight playing Vorbis streams through the SDL back end's mixer,
// without a device: the feeder step (decode and resample) and the device
// callback step (mix the rings) are timed separately per second of audio.
// Target: the callback below 2 % of one core.
//   bench_audio_mix [sound.ogg]   (default: the test tone of the repository)
#include "engine/platform/sdl/tr_AudioMixer_SDL.h"

#include <time.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kStreams = 8;
const int kBlock = 1024;
const int kSeconds = 20;

std::string DefaultSound() {
    return std::string(TARROW_SOURCE_DIR) + "/tests/content/media/tone_long.ogg";
}

// CPU time of this thread: the machine running the benchmarks is often shared.
struct ThreadClock {
    using duration = std::chrono::nanoseconds;
    static std::chrono::nanoseconds now() {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::nanoseconds(static_cast<long long>(t.tv_sec) * 1000000000LL +
                                        t.tv_nsec);
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::string sound = argc > 1 ? argv[1] : DefaultSound();
    tr_AudioMixer_SDL mixer;
    std::vector<tr_AudioStreamHandle> handles;
    for (int i = 0; i < kStreams; ++i) {
        const tr_AudioStreamHandle h = mixer.Open(sound.c_str(), true);
        if (h == 0) {
            std::fprintf(stderr, "cannot open %s\n", sound.c_str());
            return 1;
        }
        mixer.SetVolume(h, 0.1f);
        mixer.Play(h, true);
        handles.push_back(h);
    }
    std::vector<float> block(kBlock * 2);
    using Clock = ThreadClock;
    Clock::duration feed{}, mix{};
    const int blocks = kSeconds * tr_AudioMixer_SDL::kOutputRate / kBlock;
    for (int b = 0; b < blocks; ++b) {
        const auto t0 = Clock::now();
        mixer.Feed();
        const auto t1 = Clock::now();
        mixer.Mix(block.data(), kBlock);
        const auto t2 = Clock::now();
        feed += t1 - t0;
        mix += t2 - t1;
    }
    const double audio_seconds =
        static_cast<double>(blocks) * kBlock / tr_AudioMixer_SDL::kOutputRate;
    const double mix_ms = std::chrono::duration<double, std::milli>(mix).count() / audio_seconds;
    const double feed_ms = std::chrono::duration<double, std::milli>(feed).count() / audio_seconds;
    std::printf("audio_mix: %d streams, %.1f s of audio (thread CPU time): callback (mix) %.3f ms "
                "per second of audio "
                "= %.3f %% of one core (target < 2 %%); feeder thread (decode + resample) %.2f ms "
                "per second = %.2f %% of one core\n",
                kStreams, audio_seconds, mix_ms, mix_ms / 10.0, feed_ms, feed_ms / 10.0);
    for (tr_AudioStreamHandle h : handles) {
        mixer.Free(h);
    }
    return 0;
}
