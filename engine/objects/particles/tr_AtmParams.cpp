#include "engine/objects/particles/tr_AtmParams.h"

#include "engine/core/tr_SLHelper.h"

namespace {

void ReadVector(tr_SLHelper& reader, const std::string& prefix, float (&value)[3]) {
    static const char* const kAxes[3] = {"_x", "_y", "_z"};
    for (int i = 0; i < 3; ++i)
        reader.ReadFloat((prefix + kAxes[i]).c_str(), value[i]);
}

} // namespace

void tr_AtmParams::Load(tr_SLHelper& reader) {
    reader.ReadString("res", res);
    ReadVector(reader, "cam_pos", cam_pos);
    ReadVector(reader, "cam_ang", cam_ang);
    reader.ReadFloat("floor_clip", floor_clip);
    reader.ReadFloat("near_z", near_z);
    reader.ReadFloat("far_z", far_z);
    reader.ReadFloat("scr_clip_size_x", scr_clip_size_x);
    reader.ReadFloat("scr_clip_size_y", scr_clip_size_y);
    reader.ReadFloat("particle_inv_mass", particle_inv_mass);
    reader.ReadFloat("dencity", density);
    reader.ReadFloat("deviation", deviation);
    reader.ReadFloat("particle_life_time", particle_life_time);
    reader.ReadFloat("particle_scale", particle_scale);
    reader.ReadInt("type", type);
    reader.ReadFloat("rain_length_factor", rain_length_factor);
    reader.ReadFloat("fast_start", fast_start);
    ReadVector(reader, "gravity_force", gravity_force);
    ReadVector(reader, "wind_force", wind_force);
    reader.ReadFloat("air_counterforce", air_counterforce);
    reader.ReadFloat("rand_wind_min_force", rand_wind_min_force);
    reader.ReadFloat("rand_wind_max_force", rand_wind_max_force);
    reader.ReadFloat("rand_wind_min_wait_time", rand_wind_min_wait_time);
    reader.ReadFloat("rand_wind_max_wait_time", rand_wind_max_wait_time);
}
