#include "engine/resources/media/tr_VideoClip.h"

#include "tests/engine/resources/media/MediaTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <zlib.h>

namespace {

using media_test::FrameLevel;
using media_test::LevelToFrame;
using media_test::MakeVideo;
using media_test::ScratchDir;
using media_test::VideoParams;

// A clip with handlers that count pictures and ends.
class VideoClipTest : public ::testing::Test {
protected:
    void Open(const std::string& base) {
        clip.SetEndHandler([this](const std::string& trigger) {
            ++ends;
            last_trigger = trigger;
        });
        clip.SetFrameHandler([this] { ++pictures; });
        clip.Load("clip", base);
    }
    const uint8_t* Pixel(int x, int y) const {
        return clip.GetPixels() + static_cast<ptrdiff_t>(y) * clip.GetStride() + x * 4;
    }
    // Which frame the picture shows, read from an opaque pixel's red byte.
    int ShownFrame() const { return LevelToFrame(Pixel(20, 12)[2]); }

    ScratchDir dir;
    tr_VideoClip clip;
    int pictures = 0;
    int ends = 0;
    std::string last_trigger;
};

TEST_F(VideoClipTest, LoadShowsTheFirstFrameConvertedToBgraWithItsAlpha) {
    MakeVideo(dir / "v", VideoParams());
    Open(dir / "v");
    ASSERT_TRUE(clip.IsLoaded());
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(clip.GetWidth(), 33);
    EXPECT_EQ(clip.GetHeight(), 25);
    // Odd sizes are padded to even so row copies of the rounded width stay inside.
    EXPECT_EQ(clip.GetPaddedWidth(), 34);
    EXPECT_EQ(clip.GetPaddedHeight(), 26);
    EXPECT_EQ(clip.GetStride(), 34 * 4);
    const uint8_t* p = Pixel(20, 12);
    EXPECT_NEAR(p[0], FrameLevel(0), 3); // blue
    EXPECT_NEAR(p[1], FrameLevel(0), 3); // green
    EXPECT_NEAR(p[2], FrameLevel(0), 3); // red
    EXPECT_EQ(p[3], 255);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 4; ++x) {
            ASSERT_EQ(*reinterpret_cast<const uint32_t*>(Pixel(x, y)), 0u) << x << "," << y;
        }
        ASSERT_EQ(*reinterpret_cast<const uint32_t*>(Pixel(33, y)), 0u); // padding
    }
}

TEST_F(VideoClipTest, LateUpdatesSkipFramesAndConvertOnlyTheOneDue) {
    MakeVideo(dir / "v", VideoParams());
    Open(dir / "v");
    clip.Play("trg_done");
    const int before = pictures;
    for (int step = 1; step <= 5; ++step) {
        clip.Update(0.2f);
        EXPECT_EQ(clip.GetFrame(), 5 * step);
        EXPECT_EQ(ShownFrame(), 5 * step);
        EXPECT_EQ(pictures - before, step); // four skipped, one converted
    }
    EXPECT_EQ(ends, 0);
    clip.Update(0.2f); // frame 30 does not exist
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(last_trigger, "trg_done");
    EXPECT_FALSE(clip.IsPlaying());
    for (int i = 0; i < 5; ++i) {
        clip.Update(0.2f);
    }
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(ShownFrame(), 25);
}

TEST_F(VideoClipTest, LoopedVideoReportsEveryEndAndStartsAgain) {
    MakeVideo(dir / "v", VideoParams());
    Open(dir / "v");
    clip.SetLooped(true);
    clip.Play("trg_loop");
    // 0.04 s steps: every frame is shown in turn; 30 frames a pass.
    for (int i = 0; i < 95; ++i) {
        clip.Update(0.04f);
    }
    EXPECT_EQ(ends, 3);
    EXPECT_TRUE(clip.IsPlaying());
    EXPECT_LT(clip.GetFrame(), 30);
    EXPECT_EQ(ShownFrame(), clip.GetFrame());
}

TEST_F(VideoClipTest, SeekStopsPlaybackOnThatFrameAndRewindReturnsToTheFirst) {
    MakeVideo(dir / "v", VideoParams());
    Open(dir / "v");
    clip.Play("");
    clip.Update(0.6f);
    ASSERT_EQ(clip.GetFrame(), 15);
    clip.Seek(10);
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(clip.GetFrame(), 10);
    EXPECT_EQ(ShownFrame(), 10);
    clip.Update(0.2f);
    EXPECT_EQ(clip.GetFrame(), 10);
    clip.Seek(20);
    EXPECT_EQ(ShownFrame(), 20);
    clip.Refresh();
    EXPECT_EQ(ShownFrame(), 20);
    EXPECT_FLOAT_EQ(clip.GetTime(), 20 * 0.04f);
    clip.Rewind();
    EXPECT_EQ(clip.GetFrame(), 0);
    EXPECT_EQ(ShownFrame(), 0);
}

TEST_F(VideoClipTest, CountedFramesBoundSeekAndGiveTheDuration) {
    MakeVideo(dir / "v", VideoParams());
    clip.SetCountFrames(true);
    Open(dir / "v");
    EXPECT_EQ(clip.GetFrameCount(), 30);
    EXPECT_NEAR(clip.GetDuration(), 1.2f, 1e-5);
    clip.Seek(30);
    EXPECT_EQ(clip.GetFrame(), 0);
    clip.Seek(29);
    EXPECT_EQ(ShownFrame(), 29);
}

TEST_F(VideoClipTest, UnloadAndLoadAgainResumeOnTheSavedFrame) {
    MakeVideo(dir / "v", VideoParams());
    Open(dir / "v");
    clip.Seek(12);
    clip.Unload();
    EXPECT_EQ(clip.GetPixels(), nullptr);
    clip.Load("clip", dir / "v");
    EXPECT_EQ(clip.GetFrame(), 12);
    EXPECT_EQ(ShownFrame(), 12);
    EXPECT_FLOAT_EQ(clip.GetTime(), 12 * 0.04f);
}

TEST_F(VideoClipTest, AlphaVideoGivesAlphaFromItsBrightness) {
    VideoParams colour;
    colour.alpha = false;
    MakeVideo(dir / "v", colour);
    VideoParams grey = colour;
    MakeVideo(dir / "a", grey);
    std::rename((dir / "a.ogg").c_str(), (dir / "v.oggalpha").c_str());
    Open(dir / "v");
    clip.Seek(7);
    const uint8_t* p = Pixel(20, 12);
    EXPECT_NEAR(p[3], FrameLevel(7), 3);
    EXPECT_NEAR(p[2], FrameLevel(7), 3);
}

TEST_F(VideoClipTest, WithoutAlphaFileTheVideoIsOpaque) {
    VideoParams params;
    params.alpha = false;
    MakeVideo(dir / "v", params);
    Open(dir / "v");
    EXPECT_EQ(Pixel(0, 0)[3], 255);
    EXPECT_EQ(Pixel(32, 24)[3], 255);
}

TEST_F(VideoClipTest, SubtitlesAreAnnouncedAndWithdrawnThroughTheMediator) {
    VideoParams params;
    params.width = 16;
    params.height = 16;
    params.frames = 20;
    params.fps = 5;
    MakeVideo(dir / "v", params);
    media_test::WriteText(dir / "v.srt", "1\r\n00:00:01,500 --> 00:00:03,000\r\nsub_intro\r\n\r\n");
    media_test::MessageRecorder subtitles(1);
    Open(dir / "v");
    clip.Play("");
    for (int i = 0; i < 5; ++i) {
        clip.Update(0.25f);
    }
    EXPECT_TRUE(subtitles.messages.empty());
    clip.Update(0.25f); // 1.5 s
    ASSERT_EQ(subtitles.messages.size(), 1u);
    EXPECT_EQ(subtitles.Int(0, "show"), 1);
    EXPECT_EQ(subtitles.Text(0, "text_id"), "sub_intro");
    for (int i = 0; i < 5; ++i) {
        clip.Update(0.25f);
    }
    EXPECT_EQ(subtitles.messages.size(), 1u);
    clip.Update(0.25f); // 3.0 s
    ASSERT_EQ(subtitles.messages.size(), 2u);
    EXPECT_EQ(subtitles.Int(1, "show"), 0);
    EXPECT_EQ(subtitles.messages[1].Find("text_id"), nullptr);

    // Unloading while a subtitle shows withdraws it.
    clip.Rewind();
    clip.Play("");
    for (int i = 0; i < 7; ++i) {
        clip.Update(0.25f);
    }
    ASSERT_EQ(subtitles.messages.size(), 3u);
    clip.Unload();
    ASSERT_EQ(subtitles.messages.size(), 4u);
    EXPECT_EQ(subtitles.Int(3, "show"), 0);
}

TEST_F(VideoClipTest, TheCommittedSampleMadeByVideopackPlaysThrough) {
    clip.SetCountFrames(true);
    Open(media_test::ContentDir() + "/sample");
    ASSERT_TRUE(clip.IsLoaded());
    EXPECT_EQ(clip.GetWidth(), 64);
    EXPECT_EQ(clip.GetHeight(), 48);
    EXPECT_EQ(clip.GetFrameCount(), 20);
    EXPECT_FLOAT_EQ(clip.GetDuration(), 2.0f);
    ASSERT_NE(clip.GetSubtitles(), nullptr);
    EXPECT_EQ(clip.GetSubtitles()->GetEntries().size(), 1u);
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(Pixel(3, 3)), 0u);
    EXPECT_EQ(Pixel(40, 2)[3], 255);
    clip.Play("trg");
    for (int i = 0; i < 25; ++i) {
        clip.Update(0.1f);
    }
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(clip.GetFrame(), 19);
}

// Damaged files -----------------------------------------------------------

// Content waiting for a cut-scene's end trigger must not wait for ever
// because the video file is missing.
TEST_F(VideoClipTest, MissingVideoIsLoggedShowsNothingAndEndsAtOnceWhenPlayed) {
    media_test::MessageRecorder log(3);
    Open(dir / "absent");
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_TRUE(
        log.Logged("Error: video clip could not find \"" + (dir / "absent") + "\" ogg file!"));
    clip.SetLooped(true);
    clip.Play("trg");
    clip.Update(0.04f);
    clip.Update(1.0f);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(last_trigger, "trg");
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(clip.GetPixels(), nullptr);
    EXPECT_EQ(pictures, 0);
    EXPECT_EQ(log.messages.size(), 1u);
}

TEST_F(VideoClipTest, UndecodableVideoEndsOnItsFirstUpdate) {
    MakeVideo(dir / "v", VideoParams());
    std::vector<char> bytes = media_test::ReadFile(dir / "v.ogg");
    for (size_t i = 0; i < bytes.size(); i += 3) {
        bytes[i] = static_cast<char>(bytes[i] ^ 0xa5);
    }
    media_test::WriteFile(dir / "v.ogg", bytes);
    media_test::WriteText(dir / "empty.ogg", "");
    for (const char* name : {"v", "empty"}) {
        media_test::MessageRecorder log(3);
        tr_VideoClip broken;
        int broken_ends = 0;
        broken.SetEndHandler([&](const std::string&) { ++broken_ends; });
        broken.Load("clip", dir / name);
        EXPECT_EQ(log.messages.size(), 1u) << name;
        broken.SetLooped(true);
        broken.Play("trg");
        broken.Update(0.04f);
        broken.Update(0.04f);
        EXPECT_EQ(broken_ends, 1) << name;
        EXPECT_FALSE(broken.IsPlaying()) << name;
    }
}

TEST_F(VideoClipTest, TruncatedVideoEndsWhereItsDataStops) {
    MakeVideo(dir / "v", VideoParams());
    std::vector<char> bytes = media_test::ReadFile(dir / "v.ogg");
    const std::vector<size_t> pages = media_test::OggPages(bytes);
    ASSERT_GT(pages.size(), 20u); // headers, then a page per frame
    // Cut in the middle of the page of frame 16 or so.
    bytes.resize(pages[pages.size() - 14] + 10);
    media_test::WriteFile(dir / "v.ogg", bytes);
    Open(dir / "v");
    clip.Play("trg");
    for (int i = 0; i < 40; ++i) {
        clip.Update(0.04f);
    }
    EXPECT_EQ(ends, 1);
    EXPECT_GT(clip.GetFrame(), 8);
    EXPECT_LT(clip.GetFrame(), 20);
    EXPECT_EQ(ShownFrame(), clip.GetFrame());
}

// Ogg page checksum: CRC-32, polynomial 0x04c11db7, unreflected, over the
// page with its checksum field zeroed.
void FixPageChecksum(std::vector<char>& bytes, size_t page, size_t length) {
    for (int i = 22; i < 26; ++i) {
        bytes[page + i] = 0;
    }
    uint32_t crc = 0;
    for (size_t i = 0; i < length; ++i) {
        crc ^= static_cast<uint32_t>(static_cast<unsigned char>(bytes[page + i])) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
        }
    }
    for (int i = 0; i < 4; ++i) {
        bytes[page + 22 + i] = static_cast<char>((crc >> (8 * i)) & 0xff);
    }
}

TEST_F(VideoClipTest, ZeroFrameRateIsRefusedInsteadOfDividingByZero) {
    MakeVideo(dir / "v", VideoParams());
    std::vector<char> bytes = media_test::ReadFile(dir / "v.ogg");
    const std::vector<size_t> pages = media_test::OggPages(bytes);
    ASSERT_GT(pages.size(), 2u);
    // The identification header is the first page's only packet; its frame
    // rate numerator sits 22 bytes into the packet.
    const size_t packet = pages[0] + 27 + static_cast<unsigned char>(bytes[pages[0] + 26]);
    ASSERT_EQ(std::string(&bytes[packet + 1], 6), "theora");
    for (int i = 22; i < 26; ++i) {
        bytes[packet + i] = 0;
    }
    FixPageChecksum(bytes, pages[0], pages[1] - pages[0]);
    media_test::WriteFile(dir / "v.ogg", bytes);

    media_test::MessageRecorder log(3);
    Open(dir / "v");
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.Text(0, "message").rfind("Error: video clip could not play", 0), 0u)
        << log.Text(0, "message");
    EXPECT_EQ(clip.GetPixels(), nullptr);
    clip.Play("trg");
    clip.Update(0.04f);
    EXPECT_EQ(ends, 1);
}

// Rewrites record index of a ".zalpha" file with a new length and payload.
void ReplaceRecord(const std::string& path, int index, uint32_t length,
                   const std::vector<uint8_t>& payload) {
    std::vector<char> bytes = media_test::ReadFile(path);
    size_t at = 0;
    for (int i = 0; i < index; ++i) {
        uint32_t l;
        std::memcpy(&l, &bytes[at], 4);
        at += 4 + l;
    }
    uint32_t old;
    std::memcpy(&old, &bytes[at], 4);
    std::vector<char> out(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(at));
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((length >> (8 * i)) & 0xff));
    }
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), bytes.begin() + static_cast<ptrdiff_t>(at + 4 + old), bytes.end());
    media_test::WriteFile(path, out);
}

TEST_F(VideoClipTest, ZAlphaRecordRunningPastTheFileEndsTheVideo) {
    MakeVideo(dir / "v", VideoParams());
    ReplaceRecord(dir / "v.zalpha", 3, 0x7fffffffu, {});
    Open(dir / "v");
    clip.Play("trg");
    for (int i = 0; i < 10; ++i) {
        clip.Update(0.04f);
    }
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(clip.GetFrame(), 2);
    EXPECT_EQ(ShownFrame(), 2);
}

TEST_F(VideoClipTest, ZAlphaRecordOfTheWrongSizeEndsTheVideo) {
    MakeVideo(dir / "v", VideoParams());
    std::vector<uint8_t> plane(33 * 25 - 1, 255);
    uLongf size = compressBound(static_cast<uLong>(plane.size()));
    std::vector<uint8_t> packed(size);
    ASSERT_EQ(compress(packed.data(), &size, plane.data(), static_cast<uLong>(plane.size())), Z_OK);
    packed.resize(size);
    ReplaceRecord(dir / "v.zalpha", 2, static_cast<uint32_t>(size), packed);
    std::vector<uint8_t> junk(40, 0x33);
    ReplaceRecord(dir / "v.zalpha", 5, 40, junk);

    Open(dir / "v");
    clip.Play("trg");
    clip.Update(0.04f);
    EXPECT_EQ(clip.GetFrame(), 1);
    clip.Update(0.04f);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(clip.GetFrame(), 1);

    // A skipped record is stepped over by its length: frame 3 and 4 still show.
    clip.Seek(4);
    EXPECT_EQ(ShownFrame(), 4);
    clip.Seek(5);
    EXPECT_EQ(ShownFrame(), 4);
}

TEST_F(VideoClipTest, RandomDamageToVideoAndAlphaAlwaysEndsOnce) {
    MakeVideo(dir / "good", VideoParams());
    const std::vector<char> video = media_test::ReadFile(dir / "good.ogg");
    const std::vector<char> alpha = media_test::ReadFile(dir / "good.zalpha");
    const size_t first_frame_page = media_test::OggPages(video).at(2);
    uint32_t seed = 2024;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int played_far = 0;
    for (int round = 0; round < 24; ++round) {
        std::vector<char> v = video;
        std::vector<char> a = alpha;
        // Damage the frames mostly, the headers sometimes.
        const size_t from = round % 4 == 0 ? 0 : first_frame_page;
        for (int i = 0; i < 3; ++i) {
            v[from + next() % (v.size() - from)] = static_cast<char>(next());
        }
        if (round % 2 == 1) {
            a[next() % a.size()] = static_cast<char>(next());
        }
        const std::string base = dir / ("bad" + std::to_string(round));
        media_test::WriteFile(base + ".ogg", v);
        media_test::WriteFile(base + ".zalpha", a);
        tr_VideoClip damaged;
        int damaged_ends = 0;
        damaged.SetEndHandler([&](const std::string&) { ++damaged_ends; });
        damaged.Load("clip", base);
        damaged.Play("trg");
        for (int i = 0; i < 40; ++i) {
            damaged.Update(0.04f);
        }
        EXPECT_EQ(damaged_ends, 1) << "round " << round;
        EXPECT_FALSE(damaged.IsPlaying()) << "round " << round;
        played_far += damaged.GetFrame() > 10 ? 1 : 0;
    }
    // Damage in a frame ends the video there, so only some rounds get far.
    EXPECT_GT(played_far, 0);
    EXPECT_LT(played_far, 24);
}

} // namespace
