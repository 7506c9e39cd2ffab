// tr_AtmParams: the parameters of an atmospheric effect (rain or flakes), the
// attributes of the "emit" element of an "atm" effect file. Angles are
// radians, screen sizes are pixels of a 768-pixel-high screen, world units
// are free with y growing downward. A plain value owned by tr_PartSysImpl_Atm.
#pragma once

#include <string>

class tr_SLHelper;

struct tr_AtmParams {
    // Reads every attribute present on the current element; the others keep
    // their defaults.
    void Load(tr_SLHelper& reader);

    std::string res;
    float cam_pos[3] = {0, 0, 0};
    float cam_ang[3] = {0, 0, 0}; // pitch (about x), yaw (about y), roll (about z)
    float floor_clip = 2.2f;
    float near_z = 1.0f;
    float far_z = 10.0f;
    float scr_clip_size_x = 0.0f;
    float scr_clip_size_y = 0.0f;
    float particle_inv_mass = 100.0f;
    float density = 1.0f; // "dencity" in the files
    float deviation = 0.3f;
    float particle_life_time = 20.0f;
    float particle_scale = 1.0f;
    int type = 1; // 1 rain streaks; anything else flakes
    float rain_length_factor = 4.0f;
    float fast_start = 0.0f;
    float gravity_force[3] = {0, 9.8f, 0};
    float wind_force[3] = {0, 0, 0};
    float air_counterforce = 0.05f;
    float rand_wind_min_force = 0.0f;
    float rand_wind_max_force = 10.0f;
    float rand_wind_min_wait_time = 0.0f;
    float rand_wind_max_wait_time = 10.0f;
};
