#include "game/level/tp_ProfileSeam.h"

tp_ProfileSeam* tp_ProfileSeam::installed_ = nullptr;

tp_ProfileSeam& tp_ProfileSeam::Get() {
    static tp_ProfileSeam no_profile;
    return installed_ ? *installed_ : no_profile;
}
