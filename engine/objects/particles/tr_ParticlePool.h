// tr_ParticlePool: the process-wide free list of flux particle records shared
// by every flux system. Records are cut from 64 KiB blocks that are never
// returned, so the pool stays at its high-water mark and a steady effect
// allocates nothing per frame. Whoever takes a record gives it back with
// Release; the pool owns the blocks until the process ends. Main thread only.
#pragma once

#include <cstddef>

struct tr_FluxParticle {
    float x, y;
    float scale_x, scale_y;
    float angle; // drawn angle
    float velocity_x, velocity_y;
    float drift;
    float scale_speed_x, scale_speed_y;
    float course, course_speed;
    float rotation_speed, rotation;
    float age, lifetime;
    float alpha, alpha_speed, peak_alpha;
    float red, red_speed, green, green_speed, blue, blue_speed;
};

class tr_ParticlePool {
public:
    static constexpr size_t kBlockBytes = 64 * 1024;

    // A zeroed record.
    static tr_FluxParticle* Acquire();
    static void Release(tr_FluxParticle* particle);

    // Records cut so far, in use or free (the high-water mark).
    static size_t GetCapacity();
    static size_t GetFreeCount();
};
