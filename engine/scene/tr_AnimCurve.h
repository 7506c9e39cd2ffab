// tr_AnimCurve: a keyframe curve of one to three components, advanced by the
// frame's dt. Built from a flat float array (time, easing code, values ...
// per key); a curve built from unusable input is finished from the start.
// Owned by the modifier record that animates an object attribute.
#pragma once

#include <vector>

class tr_AnimCurve {
public:
    enum Easing : int { LINEAR = 0, EASE_IN = 1, EASE_OUT = 2, EASE_IN_OUT = 3 };

    // values holds key_count * (components + 2) floats.
    tr_AnimCurve(const float* values, int key_count, int components, bool loop);

    // Advances by dt and writes one value per component into out (three
    // slots). Returns false when the curve produced nothing.
    bool Advance(float dt, float out[3]);

    bool IsFinished() const { return finished_; }
    bool IsLooping() const { return loop_; }
    int GetComponents() const { return components_; }
    int GetKeyCount() const { return static_cast<int>(keys_.size()); }
    float GetElapsed() const { return elapsed_; }

    // Reports and clears the end-of-cycle mark set by Advance.
    bool TakeCycleEnded();

    static float Ease(int easing, float from, float to, float t);

private:
    struct Key {
        float time = 0.0f;
        float value[3] = {0.0f, 0.0f, 0.0f};
        int easing = LINEAR;
    };

    bool loop_ = false;
    int components_ = 0;
    std::vector<Key> keys_;
    float elapsed_ = 0.0f;
    bool finished_ = false;
    bool cycle_ended_ = false;
};
