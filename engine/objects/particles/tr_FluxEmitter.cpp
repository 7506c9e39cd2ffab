#include "engine/objects/particles/tr_FluxEmitter.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Texture.h"

namespace {

// Single-precision constants of the effect file format.
constexpr float kFramesToSeconds = 0.017f;
constexpr float kDegreesToRadians = 0.0174533f;
constexpr float kLevelsToUnit = 1.0f / 255.0f;

void ReadScaled(tr_SLHelper& reader, const char* key, float& value, float factor) {
    if (reader.ReadFloat(key, value))
        value *= factor;
}

} // namespace

tr_FluxEmitter::~tr_FluxEmitter() {
    Clear();
}

void tr_FluxEmitter::Clear() {
    for (tr_FluxParticle* particle : particles)
        tr_ParticlePool::Release(particle);
    particles.clear();
}

bool tr_FluxEmitter::Load(tr_SLHelper& reader) {
    ReadScaled(reader, "lifetime", lifetime, kFramesToSeconds);
    ReadScaled(reader, "lifetime_delta", lifetime_delta, kFramesToSeconds);
    ReadScaled(reader, "delay", delay, kFramesToSeconds);
    ReadScaled(reader, "delay_delta", delay_delta, kFramesToSeconds);
    ReadScaled(reader, "delay_init", delay_init, kFramesToSeconds);
    reader.ReadFloat("born_count", born_count);
    reader.ReadFloat("born_count_delta", born_count_delta);
    reader.ReadInt("gflag", gflag);
    reader.ReadInt("course", course);
    reader.ReadBool("free", free);
    reader.ReadFloat("pos_x", pos_x);
    reader.ReadFloat("pos_y", pos_y);
    reader.ReadFloat("pos_x_delta", pos_x_delta);
    reader.ReadFloat("pos_y_delta", pos_y_delta);
    reader.ReadFloat("speed_x", speed_x);
    reader.ReadFloat("speed_y", speed_y);
    reader.ReadFloat("speed_x_delta", speed_x_delta);
    reader.ReadFloat("speed_y_delta", speed_y_delta);
    reader.ReadFloat("speed_xf", speed_xf);
    reader.ReadFloat("speed_yf", speed_yf);
    reader.ReadFloat("grav", grav);
    reader.ReadFloat("gravf", gravf);
    ReadScaled(reader, "grotate", grotate, kDegreesToRadians);
    ReadScaled(reader, "grotate_delta", grotate_delta, kDegreesToRadians);
    ReadScaled(reader, "grotate_speed", grotate_speed, kDegreesToRadians);
    ReadScaled(reader, "grotate_speed_delta", grotate_speed_delta, kDegreesToRadians);
    reader.ReadFloat("grotatef", grotatef);
    reader.ReadInt("scale_mode", scale_mode);
    reader.ReadFloat("scale_x", scale_x);
    reader.ReadFloat("scale_y", scale_y);
    reader.ReadFloat("scale_x_delta", scale_x_delta);
    reader.ReadFloat("scale_y_delta", scale_y_delta);
    reader.ReadFloat("scale_x_speed", scale_x_speed);
    reader.ReadFloat("scale_y_speed", scale_y_speed);
    reader.ReadFloat("scale_x_speed_delta", scale_x_speed_delta);
    reader.ReadFloat("scale_y_speed_delta", scale_y_speed_delta);
    reader.ReadFloat("scale_xf", scale_xf);
    reader.ReadFloat("scale_yf", scale_yf);
    ReadScaled(reader, "rotate", rotate, kDegreesToRadians);
    ReadScaled(reader, "rotate_delta", rotate_delta, kDegreesToRadians);
    ReadScaled(reader, "rotate_speed", rotate_speed, kDegreesToRadians);
    ReadScaled(reader, "rotate_speed_delta", rotate_speed_delta, kDegreesToRadians);
    reader.ReadFloat("rotatef", rotatef);
    reader.ReadFloat("alpha", alpha);
    reader.ReadFloat("alpha_delta", alpha_delta);
    reader.ReadFloat("alpha_speed", alpha_speed);
    reader.ReadFloat("alpha_speed_delta", alpha_speed_delta);
    reader.ReadFloat("alpha_peak", alpha_peak);
    reader.ReadInt("alpha_mode", alpha_mode);
    static const char* const kColorKeys[3][4] = {
        {"color_r", "color_r_delta", "color_r_speed", "color_r_speed_delta"},
        {"color_g", "color_g_delta", "color_g_speed", "color_g_speed_delta"},
        {"color_b", "color_b_delta", "color_b_speed", "color_b_speed_delta"},
    };
    for (int c = 0; c < 3; ++c) {
        ReadScaled(reader, kColorKeys[c][0], color[c], kLevelsToUnit);
        ReadScaled(reader, kColorKeys[c][1], color_delta[c], kLevelsToUnit);
        ReadScaled(reader, kColorKeys[c][2], color_speed[c], kLevelsToUnit);
        ReadScaled(reader, kColorKeys[c][3], color_speed_delta[c], kLevelsToUnit);
    }
    reader.ReadInt("blend", blend);
    reader.ReadInt("preproc", preproc);
    reader.ReadInt("autooff", autooff);
    reader.ReadString("res", res);
    if (scale_mode != 0)
        scale_yf = scale_xf;
    for (float factor : {speed_xf, speed_yf, gravf, grotatef, scale_xf, scale_yf, rotatef}) {
        if (factor < 0.0f)
            return false;
    }
    return true;
}
