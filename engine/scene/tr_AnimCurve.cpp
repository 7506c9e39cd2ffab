#include "engine/scene/tr_AnimCurve.h"

#include <cmath>

namespace {

// Content was tuned against these exact single-precision constants.
constexpr float kPi = 3.141592f;
constexpr float kHalfPi = 1.570796f;

int EasingFromCode(float code) {
    for (int easing = tr_AnimCurve::EASE_IN; easing <= tr_AnimCurve::EASE_IN_OUT; ++easing)
        if (std::fabs(code - static_cast<float>(easing)) < 0.0001f)
            return easing;
    return tr_AnimCurve::LINEAR;
}

} // namespace

tr_AnimCurve::tr_AnimCurve(const float* values, int key_count, int components, bool loop)
    : loop_(loop), components_(components) {
    if (!values || key_count <= 0 || components < 1 || components > 3) {
        finished_ = true;
        return;
    }
    const int stride = components + 2;
    keys_.resize(static_cast<size_t>(key_count));
    for (int i = 0; i < key_count; ++i) {
        const float* in = values + static_cast<size_t>(i) * stride;
        Key& key = keys_[static_cast<size_t>(i)];
        key.time = in[0];
        key.easing = EasingFromCode(in[1]);
        for (int c = 0; c < components; ++c)
            key.value[c] = in[2 + c];
    }
}

float tr_AnimCurve::Ease(int easing, float from, float to, float t) {
    float f = t;
    switch (easing) {
    case EASE_IN:
        f = std::sin(t * kHalfPi - kHalfPi) + 1.0f;
        break;
    case EASE_OUT:
        f = std::sin(t * kHalfPi);
        break;
    case EASE_IN_OUT:
        f = (std::sin(t * kPi - kHalfPi) + 1.0f) * 0.5f;
        break;
    default:
        break;
    }
    return from + (to - from) * f;
}

bool tr_AnimCurve::Advance(float dt, float out[3]) {
    if (keys_.empty() || finished_)
        return false;
    elapsed_ += dt;

    size_t b = 0;
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].time <= elapsed_)
            b = i;

    if (b + 1 < keys_.size()) {
        const Key& k0 = keys_[b];
        const Key& k1 = keys_[b + 1];
        const float span = k1.time - k0.time;
        if (span > 0.0f) {
            const float t = (elapsed_ - k0.time) / span;
            for (int c = 0; c < components_; ++c)
                out[c] = Ease(k1.easing, k0.value[c], k1.value[c], t);
        } else {
            // Keys sharing a time write a jump: step to the later value.
            for (int c = 0; c < components_; ++c)
                out[c] = k1.value[c];
        }
        return true;
    }

    const Key& last = keys_.back();
    for (int c = 0; c < components_; ++c)
        out[c] = last.value[c];
    cycle_ended_ = true;
    if (loop_)
        elapsed_ = 0.0f;
    else
        finished_ = true;
    return true;
}

bool tr_AnimCurve::TakeCycleEnded() {
    const bool ended = cycle_ended_;
    cycle_ended_ = false;
    return ended;
}
