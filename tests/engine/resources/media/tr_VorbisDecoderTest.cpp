#include "engine/resources/media/tr_VorbisDecoder.h"

#include "tests/engine/resources/media/MediaTestSupport.h"
#include "tests/support/OggChecksums.h"

#include <filesystem>

namespace {

using media_test::ContentDir;

// Frames of a whole pass, or -1 when the file does not open.
long DecodeAll(tr_VorbisDecoder& decoder) {
    std::vector<float> frames;
    long total = 0;
    long got = 0;
    while ((got = decoder.Read(frames, 1000)) > 0) {
        EXPECT_LE(got, 1000);
        EXPECT_EQ(frames.size(), static_cast<size_t>(got) * decoder.Channels());
        total += got;
    }
    return total;
}

long DecodeFile(const std::string& path) {
    tr_VorbisDecoder decoder;
    return decoder.OpenFile(path.c_str(), 8) ? DecodeAll(decoder) : -1;
}

std::vector<unsigned char> Bytes(const std::string& path) {
    const std::vector<char> bytes = media_test::ReadFile(path);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

// Every file of the hostile folder once ended the game inside libvorbis (a
// setup header whose codebooks cannot be built) or took hundreds of
// megabytes (a rate of 1 Hz); none of them may open.
TEST(VorbisDecoderTest, EveryHostileSoundIsRefusedWithAReason) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ContentDir() + "/hostile")) {
        const std::string name = entry.path().filename().string();
        tr_VorbisDecoder decoder;
        EXPECT_FALSE(decoder.OpenFile(entry.path().c_str(), 8)) << name;
        const std::string expected = name.rfind("setup_byte_", 0) == 0
                                         ? "codebooks the decoder cannot build"
                                         : "sample rate 1 Hz outside 8000..192000";
        EXPECT_EQ(decoder.Error(), expected) << name;
        // The same bytes from memory take the same way.
        const std::vector<unsigned char> bytes = Bytes(entry.path());
        tr_VorbisDecoder from_memory;
        EXPECT_FALSE(from_memory.OpenMemory(bytes.data(), bytes.size(), 8)) << name;
        ++files;
    }
    EXPECT_EQ(files, 54);
}

TEST(VorbisDecoderTest, SoundFilesDecodeWholeAndAgainAfterRewinding) {
    const std::string sounds = std::string(TARROW_SOURCE_DIR) + "/assets/sounds";
    for (const std::string& path :
         {ContentDir() + "/tone_short.ogg", sounds + "/click.ogg", sounds + "/amb_study.ogg"}) {
        tr_VorbisDecoder decoder;
        ASSERT_TRUE(decoder.OpenFile(path.c_str(), 8)) << path << ": " << decoder.Error();
        EXPECT_EQ(decoder.Rate(), 22050) << path;
        const long first = DecodeAll(decoder);
        EXPECT_GT(first, 1000) << path;
        ASSERT_TRUE(decoder.Rewind()) << path;
        EXPECT_EQ(DecodeAll(decoder), first) << path;
    }
    EXPECT_EQ(DecodeFile(ContentDir() + "/tone_short.ogg"), 11025); // 0.5 s
}

TEST(VorbisDecoderTest, ChainedFileEndsAtTheFirstLinkThatCannotBeDecoded) {
    media_test::ScratchDir dir;
    const std::vector<char> tone = media_test::ReadFile(ContentDir() + "/tone_short.ogg");
    const std::vector<char> click =
        media_test::ReadFile(std::string(TARROW_SOURCE_DIR) + "/assets/sounds/click.ogg");
    const std::vector<char> damaged_click =
        media_test::ReadFile(ContentDir() + "/hostile/setup_byte_10.ogg");
    auto chain = [&](const std::string& name, std::vector<std::vector<char>> links) {
        std::vector<char> bytes;
        for (const auto& link : links) {
            bytes.insert(bytes.end(), link.begin(), link.end());
        }
        media_test::WriteFile(dir / name, bytes);
        return dir / name;
    };
    const long tone_frames = 11025;
    const long click_frames = DecodeFile(chain("click.ogg", {click}));
    ASSERT_GT(click_frames, 0);
    EXPECT_EQ(DecodeFile(chain("good.ogg", {tone, click})), tone_frames + click_frames);
    EXPECT_EQ(DecodeFile(chain("bad_second.ogg", {tone, damaged_click, click})), tone_frames);
    EXPECT_EQ(DecodeFile(chain("bad_first.ogg", {damaged_click, tone})), -1);
}

// The rate and channel count sit at fixed places of the first page.
TEST(VorbisDecoderTest, RatesAndChannelCountsOutsideTheMixersRangeAreRefused) {
    const std::vector<unsigned char> tone = Bytes(ContentDir() + "/tone_short.ogg");
    const size_t ident = 28; // one-segment first page: the packet follows the header
    ASSERT_EQ(tone[ident], 1);
    struct Case {
        uint32_t rate;
        uint8_t channels;
        bool opens;
    };
    for (const Case& c : {Case{8000, 1, true}, Case{192000, 1, true}, Case{1, 1, false},
                          Case{15000000, 1, false}, Case{22050, 9, false}}) {
        std::vector<unsigned char> bytes = tone;
        bytes[ident + 11] = c.channels;
        for (int i = 0; i < 4; ++i) {
            bytes[ident + 12 + i] = static_cast<unsigned char>(c.rate >> (8 * i));
        }
        test_support::FixOggChecksums(bytes.data(), bytes.size());
        tr_VorbisDecoder decoder;
        EXPECT_EQ(decoder.OpenMemory(bytes.data(), bytes.size(), 8), c.opens)
            << c.rate << " Hz " << int(c.channels) << " channels: " << decoder.Error();
        if (c.opens) {
            EXPECT_EQ(decoder.Rate(), static_cast<long>(c.rate));
            EXPECT_GT(DecodeAll(decoder), 0);
        }
    }
}

} // namespace
