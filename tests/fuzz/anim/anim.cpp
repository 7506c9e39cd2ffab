// Animation files: the description XML and its functions.
#include "../FuzzSupport.h"

#include "engine/resources/anim/tr_AnimRes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFiles::Write("walk.xml", data, size);
    tr_AnimRes anim;
    anim.Load((FuzzFiles::Folder() + "/walk").c_str());
    return 0;
}
