#include "engine/core/tr_Utf8.h"

namespace tr_Utf8 {

size_t SequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

size_t Decode(const unsigned char* text, size_t available, uint32_t& code_point) {
    const unsigned char lead = text[0];
    const size_t length = SequenceLength(lead);
    if (length == 1) {
        code_point = lead;
        return 1;
    }
    if (length > available) {
        return 0;
    }
    // The lead byte keeps 7 - length bits of the value.
    uint32_t value = lead & (0x7Fu >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (text[i] & 0x3F);
    }
    code_point = value;
    return length;
}

bool IsShortestScalar(uint32_t code_point, size_t length) {
    static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (length == 1) {
        return code_point < 0x80;
    }
    return length <= 4 && code_point >= kMinimum[length] && code_point <= 0x10FFFF &&
           (code_point < 0xD800 || code_point > 0xDFFF);
}

} // namespace tr_Utf8
