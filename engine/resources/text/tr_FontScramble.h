// tr_FontScramble: the ".trfnt" container, a TrueType file veiled with a
// rolling key so the shipped fonts are not plain ".ttf" files. Every round the
// key is transformed, L bytes are coded with it and one filler byte follows;
// the engine unscrambles on load and tools/fontscramble writes the files, so
// both directions live here and share one key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class tr_FontScramble {
public:
    // Length L of the key in bytes.
    static size_t KeyLength();

    // One step of the key transform, on wrapping signed 32-bit values.
    static int32_t Transform(int32_t value);

    // Decodes a ".trfnt" file of S bytes into S - floor(S / (L + 1)) bytes.
    static std::vector<uint8_t> Unscramble(const uint8_t* data, size_t size);

    // The inverse of Unscramble: adds the key and appends one filler byte after
    // every complete round of L bytes.
    static std::vector<uint8_t> Scramble(const uint8_t* data, size_t size);
};
