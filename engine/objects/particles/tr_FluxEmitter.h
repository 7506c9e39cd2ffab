// tr_FluxEmitter: one "emit" element of a flux effect file: its parameters,
// converted once when read (frames at 60 per second to seconds, degrees to
// radians, 0..255 colour levels to 0..1), and its running state. Owned by
// its tr_PartSysImpl_Flux; the particle records come from tr_ParticlePool
// and go back to it through Clear or the flux update.
#pragma once

#include "engine/objects/particles/tr_ParticleBatch.h"
#include "engine/objects/particles/tr_ParticlePool.h"

#include <memory>
#include <string>
#include <vector>

class tr_SLHelper;
class tr_Texture;

class tr_FluxEmitter {
public:
    tr_FluxEmitter() = default;
    ~tr_FluxEmitter();
    tr_FluxEmitter(const tr_FluxEmitter&) = delete;
    tr_FluxEmitter& operator=(const tr_FluxEmitter&) = delete;

    // Reads every parameter present on the current element and converts
    // it. False when a value needs a warning (a negative factor).
    bool Load(tr_SLHelper& reader);
    // Returns every particle record to the pool.
    void Clear();

    // Parameters. A file that leaves one out gets 1 for factors, scales,
    // alpha and colour and 0 for the rest.
    float lifetime = 0, lifetime_delta = 0;
    float delay = 0, delay_delta = 0, delay_init = 0;
    float born_count = 0, born_count_delta = 0;
    int gflag = 0, course = 0;
    bool free = false;
    float pos_x = 0, pos_y = 0, pos_x_delta = 0, pos_y_delta = 0;
    float speed_x = 0, speed_y = 0, speed_x_delta = 0, speed_y_delta = 0;
    float speed_xf = 1, speed_yf = 1;
    float grav = 0, gravf = 1;
    float grotate = 0, grotate_delta = 0, grotate_speed = 0, grotate_speed_delta = 0;
    float grotatef = 1;
    int scale_mode = 0;
    float scale_x = 1, scale_y = 1, scale_x_delta = 0, scale_y_delta = 0;
    float scale_x_speed = 0, scale_y_speed = 0, scale_x_speed_delta = 0, scale_y_speed_delta = 0;
    float scale_xf = 1, scale_yf = 1;
    float rotate = 0, rotate_delta = 0, rotate_speed = 0, rotate_speed_delta = 0, rotatef = 1;
    float alpha = 1, alpha_delta = 0, alpha_speed = 0, alpha_speed_delta = 0;
    float alpha_peak = 0;
    int alpha_mode = 0;
    float color[3] = {1, 1, 1}, color_delta[3] = {0, 0, 0};
    float color_speed[3] = {0, 0, 0}, color_speed_delta[3] = {0, 0, 0};
    int blend = 0;
    int preproc = 0;
    int autooff = -1;
    std::string res;

    // State.
    std::shared_ptr<tr_Texture> texture;
    std::vector<tr_FluxParticle*> particles;
    float delay_timer = 0;
    int bursts_left = -1;
    tr_ParticleBatch batch;
};
