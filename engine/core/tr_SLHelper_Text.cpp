#include "engine/core/tr_SLHelper_Text.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "C" locale for the whole process, so that a library calling setlocale
// cannot change how content numbers read.
locale_t CLocale() {
    static locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c_locale;
}

} // namespace

int tr_SLHelper_Text::ToInt(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    while (IsBlank(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + (*text - '0');
        if (value > limit) {
            value = limit;
        }
        ++text;
    }
    return static_cast<int>(negative ? -value : value);
}

double tr_SLHelper_Text::ToDouble(const char* text) {
    if (text == nullptr) {
        return 0.0;
    }
    locale_t c_locale = CLocale();
    if (c_locale == static_cast<locale_t>(0)) {
        return std::strtod(text, nullptr);
    }
    return strtod_l(text, nullptr, c_locale);
}

float tr_SLHelper_Text::ToFloat(const char* text) {
    const double value = ToDouble(text);
    // Clamp first: converting a double beyond the float range is undefined.
    if (std::isfinite(value) && std::fabs(value) > 3.4028234663852886e38) {
        return value > 0 ? HUGE_VALF : -HUGE_VALF;
    }
    return static_cast<float>(value);
}
