#include "engine/core/tr_Random.h"

#include <gtest/gtest.h>

// The first values of the classic C-runtime sequence for seed 1, as content
// written on Windows saw them.
TEST(RandomTest, FollowsTheClassicSequenceAndResets) {
    tr_Random::Reset();
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected)
        EXPECT_EQ(value, tr_Random::Next());
    tr_Random::Seed(1);
    EXPECT_EQ(41, tr_Random::Next());
    EXPECT_EQ(18467 % 10000, tr_Random::Next10000());
    tr_Random::Reset();
}
