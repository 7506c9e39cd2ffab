// tr_Random: the one private random generator of the engine and the game. It
// gives the classic C-runtime sequence (seed 1, values 0..32767) so that content
// behaves the same on every machine; nothing else in the code may call rand().
// Process-wide state; tests call Reset() (or Seed) before they depend on values.
#pragma once

#include <cstdint>

class tr_Random {
public:
    static constexpr int kMax = 32767;

    // The next value in 0..kMax.
    static int Next();
    // Next() mod 10000, the reduction the effect and hint code use.
    static int Next10000() { return Next() % 10000; }
    static void Seed(uint32_t seed);
    // Back to the start-up state (seed 1).
    static void Reset() { Seed(1); }

private:
    static uint32_t state_;
};
