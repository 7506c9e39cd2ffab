// tr_ComplexAnimTrack: one keyframe track of a complex animation function:
// which node value it drives (its kind), whether it loops on its own, its
// keys, and the time offset its own looping has built up. Evaluation uses
// the cubic of a key's handles or the engine's one easing implementation
// (tr_AnimCurve::Ease). Owned by its function; plain value.
#pragma once

#include <string>
#include <vector>

struct tr_ComplexAnimKey {
    float time = 0.0f;
    float value = 0.0f;
    float forward_time = 0.0f;
    float forward_value = 0.0f;
    float backward_time = 0.0f;
    float backward_value = 0.0f;
    int interp = 0; // 1 ease-in, 2 ease-out, 3 ease-in-out, 4 cubic, other linear
};

class tr_ComplexAnimTrack {
public:
    enum Kind : int {
        POS_X = 0,
        POS_Y = 1,
        SCALE_X = 4,
        SCALE_Y = 5,
        ANGLE = 7,
        ALPHA = 8,
        RED = 9,
        GREEN = 10,
        BLUE = 11,
        NONE = 14,
        FRAME = 15,
    };
    static constexpr int kCubic = 4;

    // The kind of a track type name of the file; NONE for any other name.
    static int KindFromName(const std::string& name);

    // The value at elapsed seconds into the function. A looping track past
    // its last key first moves its offset on by whole periods. False before
    // the first key and for a track without keys.
    bool Evaluate(float elapsed, float& value);

    int kind = NONE;
    bool loop = false;
    std::vector<tr_ComplexAnimKey> keys;
    float offset = 0.0f;
};
