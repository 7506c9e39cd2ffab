// The demo's music loops as the mixer will play them: each of the six pieces
// opens as mono 22050 Hz Vorbis, lasts 20 to 40 seconds and joins its end to
// its start without a click (the jump across the seam is no bigger than the
// music's own sample-to-sample steps), since every one loops for as long as
// the player stays in a room.
#include "engine/resources/media/tr_VorbisDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(DemoMusicTest, EveryPieceIsAMonoLoopOfTwentyToFortySecondsWithoutASeam) {
    for (const char* piece : {"music_title", "music_study", "music_garden", "music_greenhouse",
                              "music_attic", "music_ending"}) {
        const std::string path =
            std::string(TARROW_SOURCE_DIR) + "/assets/sounds/" + piece + ".ogg";
        tr_VorbisDecoder decoder;
        ASSERT_TRUE(decoder.OpenFile(path.c_str(), 2)) << piece << ": " << decoder.Error();
        EXPECT_EQ(decoder.Channels(), 1) << piece;
        EXPECT_EQ(decoder.Rate(), 22050) << piece;

        std::vector<float> samples;
        std::vector<float> block;
        while (decoder.Read(block, 4096) > 0) {
            samples.insert(samples.end(), block.begin(), block.end());
        }
        const double seconds = static_cast<double>(samples.size()) / 22050.0;
        EXPECT_GE(seconds, 20.0) << piece;
        EXPECT_LE(seconds, 40.0) << piece;
        ASSERT_GT(samples.size(), 2u) << piece;

        double steps = 0.0;
        for (size_t i = 1; i < samples.size(); ++i) {
            steps += std::fabs(samples[i] - samples[i - 1]);
        }
        const double mean_step = steps / static_cast<double>(samples.size() - 1);
        const double seam = std::fabs(samples.front() - samples.back());
        EXPECT_GT(mean_step, 0.001) << piece << " is silent";
        EXPECT_LE(seam, 4.0 * mean_step) << piece << ": the loop clicks where it joins";
    }
}

} // namespace
