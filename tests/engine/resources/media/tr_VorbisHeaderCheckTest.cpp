#include "engine/resources/media/tr_VorbisHeaderCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Packs fields least significant bit first, as Vorbis headers store them.
class BitWriter {
public:
    BitWriter& Put(uint32_t value, int bits) {
        for (int i = 0; i < bits; ++i, ++at_) {
            if (at_ % 8 == 0) {
                bytes.push_back(0);
            }
            bytes.back() |= static_cast<unsigned char>(((value >> i) & 1u) << (at_ % 8));
        }
        return *this;
    }
    std::vector<unsigned char> bytes;

private:
    size_t at_ = 0;
};

// The knobs of a small mono setup header: one scalar book (0) for the floor
// and the residue classes, one vector book (1) for the residue values.
struct SetupFields {
    uint32_t value_book_dim = 2;
    uint32_t value_book_lookup = 1;
    uint32_t residue_book = 1;
    uint32_t classifications = 2;
    uint32_t floor_post = 5;
    bool coupling = false;
    uint32_t mode_mapping = 0;
    uint32_t framing = 1;
};

std::vector<unsigned char> Build(const SetupFields& s) {
    BitWriter w;
    w.Put(5, 8);
    for (char c : std::string("vorbis")) {
        w.Put(static_cast<unsigned char>(c), 8);
    }
    w.Put(1, 8); // two codebooks
    // Book 0: dimension 1, two entries of length 1, no values.
    w.Put(0x564342, 24).Put(1, 16).Put(2, 24).Put(0, 1).Put(0, 1).Put(0, 5).Put(0, 5).Put(0, 4);
    // Book 1: four entries of length 2, a lattice of one-bit values.
    w.Put(0x564342, 24).Put(s.value_book_dim, 16).Put(4, 24).Put(0, 1).Put(0, 1);
    for (int i = 0; i < 4; ++i) {
        w.Put(1, 5);
    }
    w.Put(s.value_book_lookup, 4);
    if (s.value_book_lookup != 0) {
        w.Put(0, 32).Put(0, 32).Put(0, 4).Put(0, 1);
        w.Put(0, 2); // two values: the square root of four entries
    }
    w.Put(0, 6).Put(0, 16); // one time domain transform
    // One floor 1: one partition of class 0 (one post, book 0), range 4 bits.
    w.Put(0, 6).Put(1, 16).Put(1, 5).Put(0, 4).Put(0, 3).Put(0, 2).Put(1, 8);
    w.Put(1, 2).Put(4, 4).Put(s.floor_post, 4);
    // One residue 2 over 64 values in partitions of 16, classified by book 0.
    w.Put(0, 6).Put(2, 16).Put(0, 24).Put(64, 24).Put(15, 24);
    w.Put(s.classifications - 1, 6).Put(0, 8);
    for (uint32_t c = 0; c < s.classifications; ++c) {
        w.Put(c == 1 ? 1 : 0, 3).Put(0, 1); // class 1 has a first stage
    }
    if (s.classifications > 1) {
        w.Put(s.residue_book, 8);
    }
    // One mapping: one submap, optional coupling (channel 0 with itself).
    w.Put(0, 6).Put(0, 16).Put(0, 1).Put(s.coupling ? 1 : 0, 1);
    if (s.coupling) {
        w.Put(0, 8); // one step; channel numbers take 0 bits in mono
    }
    w.Put(0, 2).Put(0, 8).Put(0, 8).Put(0, 8);
    w.Put(0, 6).Put(0, 1).Put(0, 16).Put(0, 16).Put(s.mode_mapping, 8); // one mode
    w.Put(s.framing, 1);
    return w.bytes;
}

std::string Check(const std::vector<unsigned char>& packet) {
    return tr_VorbisHeaderCheck::CheckSetup(packet.data(), packet.size(), 1);
}

TEST(VorbisHeaderCheckTest, SetupFaultsThatWouldTripTheDecoderAreRefused) {
    struct Case {
        const char* what;
        SetupFields setup;
        const char* fault; // "" for an acceptable header
    };
    auto with = [](auto change) {
        SetupFields s;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"valid", SetupFields(), ""},
        {"value book of dimension 0", with([](SetupFields& s) { s.value_book_dim = 0; }),
         "codebook of dimension 0"},
        {"residue book without values", with([](SetupFields& s) { s.value_book_lookup = 0; }),
         "residue with an unusable book"},
        {"residue book missing", with([](SetupFields& s) { s.residue_book = 7; }),
         "residue with an unusable book"},
        {"more classes than the classbook codes",
         with([](SetupFields& s) { s.classifications = 3; }), "residue classbook too small"},
        {"post on an end point", with([](SetupFields& s) { s.floor_post = 0; }),
         "floor 1 with repeated posts"},
        {"channel coupled with itself", with([](SetupFields& s) { s.coupling = true; }),
         "mapping with impossible channel coupling"},
        {"mode on a missing mapping", with([](SetupFields& s) { s.mode_mapping = 1; }),
         "mode with an unknown window, transform or mapping"},
        {"no framing bit", with([](SetupFields& s) { s.framing = 0; }),
         "setup header without framing bit"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check(Build(c.setup)), c.fault) << c.what;
    }
}

TEST(VorbisHeaderCheckTest, EveryTruncationOfAValidSetupIsRefused) {
    const std::vector<unsigned char> packet = Build(SetupFields());
    ASSERT_EQ(Check(packet), "");
    // The framing bit sits in the last byte, so every shorter packet lacks a field.
    for (size_t size = 0; size < packet.size(); ++size) {
        std::vector<unsigned char> cut(packet.begin(), packet.begin() + size);
        EXPECT_NE(Check(cut), "") << size << " bytes";
    }
}

TEST(VorbisHeaderCheckTest, SampleRateAndChannelsMustSuitTheMixer) {
    struct Case {
        uint32_t rate;
        uint32_t channels;
        const char* fault;
    };
    const Case cases[] = {
        {44100, 2, ""},
        {8000, 1, ""},
        {192000, 8, ""},
        {1, 1, "sample rate 1 Hz outside 8000..192000"},
        {7999, 1, "sample rate 7999 Hz outside 8000..192000"},
        {192001, 1, "sample rate 192001 Hz outside 8000..192000"},
        {15000000, 2, "sample rate 15000000 Hz outside 8000..192000"},
        {44100, 9, "9 channels (at most 8)"},
        {44100, 0, "0 channels (at most 8)"},
    };
    for (const Case& c : cases) {
        BitWriter w;
        w.Put(1, 8);
        for (char ch : std::string("vorbis")) {
            w.Put(static_cast<unsigned char>(ch), 8);
        }
        w.Put(0, 32).Put(c.channels, 8).Put(c.rate, 32).Put(0, 32).Put(0, 32).Put(0, 32);
        w.Put(8, 4).Put(11, 4).Put(1, 1);
        tr_VorbisHeaderCheck::Format format;
        EXPECT_EQ(
            tr_VorbisHeaderCheck::CheckIdentification(w.bytes.data(), w.bytes.size(), 8, &format),
            c.fault)
            << c.rate << " Hz, " << c.channels << " channels";
        EXPECT_EQ(format.rate, static_cast<long>(c.rate));
    }
}

} // namespace
