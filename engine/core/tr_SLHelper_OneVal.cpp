#include "engine/core/tr_SLHelper_OneVal.h"

#include <climits>
#include <cmath>

bool tr_SLHelper_OneVal::ReadFloat(const char* key, float& value) {
    if (key == nullptr || key_ != key) {
        return false;
    }
    value = value_;
    return true;
}

bool tr_SLHelper_OneVal::ReadInt(const char* key, int& value) {
    if (key == nullptr || key_ != key) {
        return false;
    }
    // Truncate, saturating where a plain conversion would be undefined.
    if (std::isnan(value_)) {
        value = 0;
    } else if (value_ >= 2147483648.0f) {
        value = INT_MAX;
    } else if (value_ <= -2147483648.0f) {
        value = INT_MIN;
    } else {
        value = static_cast<int>(value_);
    }
    return true;
}
