#include "engine/platform/sdl/tr_AudioBackend_SDL.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/platform/sdl/tr_AudioMixer_SDL.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "tests/engine/resources/media/MediaTestSupport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

using media_test::ContentDir;

const int kBlock = 1024;

// Peak of |sample| over the given interleaved stereo frames.
float Peak(const float* samples, size_t frames) {
    float peak = 0.0f;
    for (size_t i = 0; i < frames * 2; ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    return peak;
}

// Drives a mixer by hand: feed, then mix one block; returns the block's peak.
float MixBlock(tr_AudioMixer_SDL& mixer, std::vector<float>& block) {
    block.assign(kBlock * 2, 1.0f);
    mixer.Feed();
    mixer.Mix(block.data(), kBlock);
    return Peak(block.data(), kBlock);
}

TEST(AudioMixerTest, PlaysAResampledMonoFileToItsEndAtTheOutputRate) {
    tr_AudioMixer_SDL mixer;
    const tr_AudioStreamHandle h = mixer.Open((ContentDir() + "/tone_short.ogg").c_str(), false);
    ASSERT_NE(h, 0u);
    EXPECT_FALSE(mixer.IsActive(h)); // opened, not started
    mixer.Play(h, true);
    std::vector<float> block;
    int blocks = 0;
    float loudest = 0.0f;
    while (mixer.IsActive(h) && blocks < 200) {
        loudest = std::max(loudest, MixBlock(mixer, block));
        ++blocks;
    }
    EXPECT_FALSE(mixer.IsActive(h));
    // 0.5 s at 44.1 kHz is 21.5 blocks of 1024 frames.
    EXPECT_GE(blocks, 21);
    EXPECT_LE(blocks, 24);
    EXPECT_NEAR(loudest, 0.5f, 0.08f);
    EXPECT_EQ(MixBlock(mixer, block), 0.0f); // silent once ended
    mixer.Free(h);
}

TEST(AudioMixerTest, VolumeScalesPausingSilencesAndLoopingNeverEnds) {
    tr_AudioMixer_SDL mixer;
    const tr_AudioStreamHandle h = mixer.Open((ContentDir() + "/tone_short.ogg").c_str(), true);
    ASSERT_NE(h, 0u);
    mixer.Play(h, true);
    std::vector<float> block;
    MixBlock(mixer, block);
    const float full = MixBlock(mixer, block);
    mixer.SetVolume(h, 0.25f);
    const float quarter = MixBlock(mixer, block);
    EXPECT_NEAR(quarter / full, 0.25f, 0.03f);

    mixer.Pause(h);
    EXPECT_EQ(MixBlock(mixer, block), 0.0f);
    EXPECT_TRUE(mixer.IsActive(h));
    mixer.Play(h, false);
    for (int i = 0; i < 100; ++i) { // more than four passes of the file
        ASSERT_GT(MixBlock(mixer, block), 0.05f) << "block " << i;
    }
    EXPECT_TRUE(mixer.IsActive(h));
    mixer.Stop(h);
    EXPECT_FALSE(mixer.IsActive(h));
    mixer.Free(h);
    EXPECT_FALSE(mixer.IsActive(h));
}

TEST(AudioMixerTest, FilesThatAreNotVorbisNeverOpen) {
    media_test::ScratchDir dir;
    std::vector<char> bytes = media_test::ReadFile(ContentDir() + "/tone_short.ogg");
    ASSERT_GT(bytes.size(), 200u);
    media_test::WriteFile(dir / "truncated.ogg",
                          std::vector<char>(bytes.begin(), bytes.begin() + 60));
    std::vector<char> garbage(bytes.size());
    for (size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((i * 131) ^ 0x5a);
    }
    media_test::WriteFile(dir / "garbage.ogg", garbage);

    tr_AudioMixer_SDL mixer;
    EXPECT_EQ(mixer.Open((dir / "truncated.ogg").c_str(), false), 0u);
    EXPECT_EQ(mixer.Open((dir / "garbage.ogg").c_str(), true), 0u);
    EXPECT_EQ(mixer.Open((dir / "missing.ogg").c_str(), false), 0u);
}

TEST(AudioMixerTest, FileWhoseAudioIsDamagedOrCutOffEndsInsteadOfSpinning) {
    media_test::ScratchDir dir;
    std::vector<char> bytes = media_test::ReadFile(ContentDir() + "/tone_long.ogg");
    const std::vector<size_t> pages = media_test::OggPages(bytes);
    ASSERT_EQ(pages.size(), 3u); // two header pages, then the audio
    // Cut inside the audio page: the headers open, the audio never arrives.
    media_test::WriteFile(dir / "truncated.ogg",
                          std::vector<char>(bytes.begin(), bytes.begin() + pages[2] + 300));
    for (size_t i = pages[2] + 40; i < bytes.size(); i += 5) {
        bytes[i] = static_cast<char>(bytes[i] ^ 0xff); // the audio page fails its checksum
    }
    media_test::WriteFile(dir / "damaged.ogg", bytes);
    for (const char* name : {"damaged.ogg", "truncated.ogg"}) {
        for (bool loop : {true, false}) {
            tr_AudioMixer_SDL mixer;
            const tr_AudioStreamHandle h = mixer.Open((dir / name).c_str(), loop);
            ASSERT_NE(h, 0u) << name;
            mixer.Play(h, true);
            std::vector<float> block;
            for (int i = 0; i < 4 && mixer.IsActive(h); ++i) {
                EXPECT_EQ(MixBlock(mixer, block), 0.0f) << name;
            }
            EXPECT_FALSE(mixer.IsActive(h)) << name << " loop " << loop;
            mixer.Free(h);
        }
    }
}

TEST(AudioBackendTest, DummyOrMissingDriverMeansNoDevice) {
    for (const char* driver : {"dummy", "no_such_driver"}) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        std::unique_ptr<tr_AudioBackend> backend = tr_AudioBackend_SDL::Create();
        EXPECT_FALSE(backend->HasDevice()) << driver;
        EXPECT_EQ(backend->Open((ContentDir() + "/tone_short.ogg").c_str(), false), 0u) << driver;
    }
}

// The disk driver writes the device's float stereo output to a file in real
// time, so the test sees exactly what the callback mixed.
TEST(AudioBackendTest, DiskDeviceOutputFollowsTheCategoryVolume) {
    media_test::ScratchDir dir;
    const std::string out = dir / "mix.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    {
        tr_SoundHub hub(tr_AudioBackend_SDL::Create());
        ASSERT_FALSE(hub.IsNoSoundDevice());
        hub.Play(ContentDir() + "/tone_long", "sfx", true, false, 0.0f);
        tr_FrameInfo info;
        info.dt = 0.05f;
        for (int i = 0; i < 8; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            hub.Update(&info);
        }
        EXPECT_TRUE(hub.IsPlaying(ContentDir() + "/tone_long"));
        hub.SetCategoryVolume("sfx", 0.25f);
        for (int i = 0; i < 8; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            hub.Update(&info);
        }
    }
    std::vector<char> bytes = media_test::ReadFile(out);
    const size_t frames = bytes.size() / (2 * sizeof(float));
    ASSERT_GT(frames, 8192u);
    std::vector<float> samples(frames * 2);
    std::memcpy(samples.data(), bytes.data(), frames * 2 * sizeof(float));
    const float loud = Peak(samples.data(), frames / 2);
    const float quiet = Peak(samples.data() + (frames - 4096) * 2, 4096);
    EXPECT_NEAR(loud, 0.5f, 0.08f);
    EXPECT_NEAR(quiet / loud, 0.25f, 0.04f);
}

// Each of these once ended the game on the feeder thread (or, at 1 Hz, took
// hundreds of megabytes); through a real device they now play as silence,
// say why once per file however often they are played, and are gone after
// the next update.
TEST(AudioBackendTest, HostileSoundsPlayAsSilenceWithOneLogLineEach) {
    media_test::ScratchDir dir;
    const std::string out = dir / "mix.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    media_test::MessageRecorder log(3);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ContentDir() + "/hostile")) {
        names.push_back(entry.path().parent_path() / entry.path().stem());
    }
    ASSERT_EQ(names.size(), 54u);
    {
        tr_SoundHub hub(tr_AudioBackend_SDL::Create());
        ASSERT_FALSE(hub.IsNoSoundDevice());
        tr_FrameInfo info;
        info.dt = 0.05f;
        for (bool loop : {true, false}) {
            for (const std::string& name : names) {
                hub.Play(name, "sfx", loop, false, 0.0f);
            }
            EXPECT_EQ(hub.CountSounds(), static_cast<int>(names.size()));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            hub.Update(&info);
            EXPECT_EQ(hub.CountSounds(), 0);
        }
    }
    ASSERT_EQ(log.messages.size(), names.size());
    for (const std::string& name : names) {
        const std::string quoted = "\"" + name + ".ogg\"";
        int lines = 0;
        for (size_t i = 0; i < log.messages.size(); ++i) {
            lines += log.Text(i, "message").find(quoted) != std::string::npos;
        }
        EXPECT_EQ(lines, 1) << name;
    }
    const std::vector<char> bytes = media_test::ReadFile(out);
    ASSERT_GT(bytes.size(), 4096u); // the device ran
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char b) { return b == 0; }));
}

} // namespace
