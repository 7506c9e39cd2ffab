// Particle effect files of every kind (flux, atm, scripted): the file is
// loaded as a system's effect and the system runs a second of frames, so
// what the file sets up is also simulated.
#include "../FuzzSupport.h"

#include "engine/bindings/tr_ComplexScript_Lua.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tr_ResourceRegistry registry;
    tr_ComplexScript_Lua::Install();
    FuzzFiles::Write("effect.xml", data, size);
    tr_ParticleSystem system("fuzz");
    system.SetRes(FuzzFiles::Folder() + "/effect");
    tr_FrameInfo frame;
    frame.dt = frame.raw_dt = 1.0f / 60.0f;
    for (int i = 0; i < 60; ++i) {
        frame.time += frame.dt;
        system.Update(frame);
    }
    return 0;
}
