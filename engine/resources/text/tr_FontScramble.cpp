#include "engine/resources/text/tr_FontScramble.h"

#include <string>

namespace {

// The key is put together at run time so it never sits in the binary as one
// searchable string.
std::string AssembleKey() {
    static const char* const pieces[] = {"tarrow", "~glyph", "~veil", "~", "19", "k7"};
    std::string key;
    for (const char* piece : pieces)
        key += piece;
    return key;
}

// The rolling key: the transform accumulates on the 32-bit values across
// rounds, and their low bytes code the data.
struct KeyStream {
    std::vector<int32_t> k_int;
    std::vector<uint8_t> k_byte;

    KeyStream() {
        const std::string key = AssembleKey();
        for (unsigned char c : key) {
            k_int.push_back(static_cast<int32_t>(c));
            k_byte.push_back(c);
        }
    }

    void NextRound() {
        for (size_t j = 0; j < k_int.size(); ++j) {
            k_int[j] = tr_FontScramble::Transform(k_int[j]);
            k_byte[j] = static_cast<uint8_t>(static_cast<uint32_t>(k_int[j]) & 0xFFu);
        }
    }
};

} // namespace

size_t tr_FontScramble::KeyLength() {
    return AssembleKey().size();
}

int32_t tr_FontScramble::Transform(int32_t f) {
    // Products and sums wrap; the divisions act on the signed value.
    const uint32_t r = 5u * static_cast<uint32_t>(f) + 100u * static_cast<uint32_t>(f / 100) +
                       static_cast<uint32_t>(f / 2) - 10u * static_cast<uint32_t>(f / 10) -
                       7u * static_cast<uint32_t>(f / 7) - 3u * static_cast<uint32_t>(f / 3);
    return static_cast<int32_t>(r);
}

std::vector<uint8_t> tr_FontScramble::Unscramble(const uint8_t* data, size_t size) {
    KeyStream key;
    const size_t length = key.k_byte.size();
    std::vector<uint8_t> out;
    out.reserve(size - size / (length + 1));
    size_t i = length + 1;
    for (size_t c = 0; c < size; ++c) {
        if (i == length + 1) {
            key.NextRound();
            i = 0;
        }
        if (i < length)
            out.push_back(static_cast<uint8_t>(data[c] - key.k_byte[i]));
        ++i;
    }
    return out;
}

std::vector<uint8_t> tr_FontScramble::Scramble(const uint8_t* data, size_t size) {
    KeyStream key;
    const size_t length = key.k_byte.size();
    std::vector<uint8_t> out;
    out.reserve(size + size / length);
    size_t i = 0;
    for (size_t c = 0; c < size; ++c) {
        if (i == 0)
            key.NextRound();
        out.push_back(static_cast<uint8_t>(data[c] + key.k_byte[i]));
        if (++i == length) {
            // The filler carries no data; any value decodes the same.
            out.push_back(static_cast<uint8_t>(key.k_byte[c % length] ^ 0xA5u));
            i = 0;
        }
    }
    return out;
}
