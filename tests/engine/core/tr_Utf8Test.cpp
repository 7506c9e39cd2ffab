// The one UTF-8 decoder: lengths claimed by lead bytes, values read, cut and
// broken sequences refused, and the shortest-form check the strict readers use.
#include "engine/core/tr_Utf8.h"

#include <gtest/gtest.h>

#include <string>

TEST(Utf8Test, DecodesLengthsAndValuesAndRefusesBrokenSequences) {
    struct Case {
        std::string bytes;
        size_t length; // 0: refused
        uint32_t value;
        bool shortest;
    };
    const Case cases[] = {
        {"A", 1, 'A', true},
        {"\xC3\xA9", 2, 0xE9, true},
        {"\xE2\x82\xAC", 3, 0x20AC, true},
        {"\xF0\x9F\x98\x80", 4, 0x1F600, true},
        {"\xA0", 1, 0xA0, false},                 // stray continuation byte
        {"\xFF", 1, 0xFF, false},                 // never a lead byte
        {"\xC0\xAF", 2, 0x2F, false},             // overlong '/'
        {"\xED\xA0\x80", 3, 0xD800, false},       // surrogate
        {"\xF4\x90\x80\x80", 4, 0x110000, false}, // beyond U+10FFFF
        {"\xE2\x82", 0, 0, false},                // cut short
        {"\xE2\x41\xAC", 0, 0, false},            // not a continuation byte
    };
    for (const Case& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        uint32_t value = 0;
        const size_t length = tr_Utf8::Decode(bytes, c.bytes.size(), value);
        EXPECT_EQ(length, c.length) << c.bytes;
        if (length == 0)
            continue;
        EXPECT_EQ(value, c.value) << c.bytes;
        EXPECT_EQ(tr_Utf8::IsShortestScalar(value, length), c.shortest) << c.bytes;
        EXPECT_EQ(tr_Utf8::SequenceLength(bytes[0]), length) << c.bytes;
    }
}
