// tp_TransferEasing: the easing curves of the transporter's flight paths, on
// x in [0, 1]. Pure functions; the constants are the game's own
// approximations of pi and pi/2, kept so that paths match content timing.
#pragma once

#include <cmath>

namespace tp_TransferEasing {

constexpr float kPi = 3.141592f;
constexpr float kHalfPi = 1.570796f;

// Slow at both ends.
inline float Smooth(float x) {
    return (std::sin(x * kPi - kHalfPi) + 1.0f) / 2.0f;
}

// Slow at the start, fast at the end.
inline float EaseIn(float x) {
    return std::sin(x * kHalfPi - kHalfPi) + 1.0f;
}

inline float LerpSmooth(float a, float b, float x) {
    return a + (b - a) * Smooth(x);
}

} // namespace tp_TransferEasing
