#include "engine/core/tr_Random.h"

uint32_t tr_Random::state_ = 1;

int tr_Random::Next() {
    // Unsigned arithmetic: the wrap-around of the 32-bit state is intended.
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fffu);
}

void tr_Random::Seed(uint32_t seed) { state_ = seed; }
