// tr_FrameInfo: the per-frame timing record. The frame loop builds one on the
// stack each frame and passes it by pointer to the update hook, the sound hub
// and the cursor; nobody keeps it past the call.
#pragma once

struct tr_FrameInfo {
    float dt = 0.0f;     // seconds since the previous frame, clamped to 3 frame times
    float raw_dt = 0.0f; // the same, unclamped
    float time = 0.0f;   // platform millisecond timer / 1000
};
