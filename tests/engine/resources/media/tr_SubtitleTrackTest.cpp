#include "engine/resources/media/tr_SubtitleTrack.h"

#include <gtest/gtest.h>

namespace {

class SubtitleTrackTest : public ::testing::Test {
protected:
    SubtitleTrackTest() {
        track.SetAnnouncer([this](bool show, const std::string& id) {
            said.push_back(show ? "+" + id : std::string("-"));
        });
    }
    tr_SubtitleTrack track;
    std::vector<std::string> said;
};

const char kTwoBlocks[] = "1\n"
                          "00:00:01,500 --> 00:00:03,000\n"
                          "sub_a\n"
                          "\n"
                          "2\n"
                          "01:02:03,040 --> 01:02:04,000\n"
                          "sub_b\n";

TEST_F(SubtitleTrackTest, TimesAreReadByPositionAndTheLastSeparatorMayBeMissing) {
    track.Parse(kTwoBlocks);
    ASSERT_EQ(track.GetEntries().size(), 2u);
    EXPECT_FLOAT_EQ(track.GetEntries()[0].start, 1.5f);
    EXPECT_FLOAT_EQ(track.GetEntries()[0].end, 3.0f);
    EXPECT_EQ(track.GetEntries()[0].text_id, "sub_a");
    EXPECT_FLOAT_EQ(track.GetEntries()[1].start, 3723.04f);
    EXPECT_EQ(track.GetEntries()[1].text_id, "sub_b");
}

TEST_F(SubtitleTrackTest, MalformedOrIncompleteBlockEndsReadingAndKeepsWhatCameBefore) {
    const std::string good = "1\n00:00:01,000 --> 00:00:02,000\nsub_a\n\n";
    for (const std::string& bad :
         {std::string("2\n00:00:0\n"), // short time line
          std::string("2\n00:0x:01,000 --> 00:00:02,000\nb\n\n"),
          std::string("2\n00:00:01,000 -> 00:00:02,000\nb\n\n"),
          std::string("2\n00:00:01.000 --> 00:00:02,000\nb\n\n"), std::string("2\n")}) {
        track.Parse(good + bad + "3\n00:00:05,000 --> 00:00:06,000\nsub_c\n\n");
        ASSERT_EQ(track.GetEntries().size(), 1u) << bad;
        EXPECT_EQ(track.GetEntries()[0].text_id, "sub_a");
    }
}

TEST_F(SubtitleTrackTest, WaitsForAnEntryNotYetDueWithoutLooping) {
    track.Parse(kTwoBlocks);
    track.Update(0.5);
    track.Update(1.49);
    EXPECT_TRUE(said.empty());
    track.Update(1.5);
    track.Update(2.9);
    track.Update(3.0);
    track.Update(3.1);
    EXPECT_EQ(said, (std::vector<std::string>{"+sub_a", "-"}));
}

TEST_F(SubtitleTrackTest, JumpingPastEntriesSkipsThoseAlreadyOverButNeverTheLast) {
    track.Parse(kTwoBlocks);
    track.Update(3723.5);
    EXPECT_EQ(said, (std::vector<std::string>{"+sub_b"}));
    track.Update(5000.0);
    EXPECT_EQ(said, (std::vector<std::string>{"+sub_b", "-"}));
    track.Update(6000.0);
    EXPECT_EQ(said.size(), 2u);
}

TEST_F(SubtitleTrackTest, ResetWithdrawsAShownEntryAndStartsOver) {
    track.Parse(kTwoBlocks);
    track.Update(2.0);
    track.Reset();
    track.Reset();
    track.Update(2.0);
    EXPECT_EQ(said, (std::vector<std::string>{"+sub_a", "-", "+sub_a"}));
}

} // namespace
