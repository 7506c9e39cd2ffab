// tr_AnimFunction: one named sequence of an animation resource: frame indices
// into a frame texture, shown frametime seconds each, optionally looping and
// cross-fading each frame into the next. Plain value; animated sprites keep
// their own copies.
#pragma once

#include <string>
#include <vector>

struct tr_AnimFunction {
    std::string name;
    float frametime = 0.0f; // seconds per frame
    bool loop = false;
    bool alpha = false; // cross-fade into the next frame
    std::vector<int> frames;
};
