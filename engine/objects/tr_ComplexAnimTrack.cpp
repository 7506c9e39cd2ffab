#include "engine/objects/tr_ComplexAnimTrack.h"

#include "engine/scene/tr_AnimCurve.h"

#include <algorithm>
#include <cmath>

int tr_ComplexAnimTrack::KindFromName(const std::string& name) {
    static const struct {
        const char* name;
        int kind;
    } kKinds[] = {
        {"pos_x", POS_X},  {"pos_y", POS_Y}, {"scale_x", SCALE_X}, {"scale_y", SCALE_Y},
        {"angle", ANGLE},  {"alpha", ALPHA}, {"color_r", RED},     {"color_g", GREEN},
        {"color_b", BLUE}, {"frame", FRAME},
    };
    for (const auto& entry : kKinds)
        if (name == entry.name)
            return entry.kind;
    return NONE;
}

namespace {

// The last key whose time is not after m, or -1.
int KeyAt(const std::vector<tr_ComplexAnimKey>& keys, float m) {
    int found = -1;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].time <= m)
            found = static_cast<int>(i);
    return found;
}

} // namespace

bool tr_ComplexAnimTrack::Evaluate(float elapsed, float& value) {
    if (keys.empty())
        return false;
    float m = elapsed - offset;
    const float first = keys.front().time;
    const float last = keys.back().time;
    const float period = last - first;
    // Whole periods in one step, so a long update or a tiny period cannot
    // keep the loop going; a period of 0 or less has nothing to repeat.
    if (loop && m > last && period > 0.0f) {
        const float periods = std::max(1.0f, std::floor((m - first) / period));
        offset += periods * period;
        m = elapsed - offset;
    }
    const int h = KeyAt(keys, m);
    if (h < 0)
        return false;
    const tr_ComplexAnimKey& a = keys[static_cast<size_t>(h)];
    if (static_cast<size_t>(h) + 1 == keys.size()) {
        value = a.value;
        return true;
    }
    const tr_ComplexAnimKey& b = keys[static_cast<size_t>(h) + 1];
    const float span = b.time - a.time;
    if (!(span > 0.0f)) {
        value = b.value; // keys out of order: step to the later one
        return true;
    }
    const float s = (m - a.time) / span;
    if (a.interp == kCubic) {
        const float r = 1.0f - s;
        value = r * r * r * a.value + 3.0f * s * r * r * a.forward_value +
                3.0f * s * s * r * b.backward_value + s * s * s * b.value;
    } else {
        value = tr_AnimCurve::Ease(a.interp, a.value, b.value, s);
    }
    return true;
}
