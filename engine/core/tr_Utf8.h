// tr_Utf8: the one UTF-8 decoder. Readers differ only in what they make of
// bad bytes: the text markup keeps a bad byte as the code of that byte, the
// window title and text input drop or replace it, and the log only needs to
// know how long a sequence claims to be. Pure functions over bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tr_Utf8 {

// How many bytes the sequence led by lead claims: 2, 3 or 4 for the lead
// bytes 0xC0..0xDF, 0xE0..0xEF and 0xF0..0xF7; 1 for anything else (ASCII,
// a stray continuation byte, 0xF8..0xFF).
size_t SequenceLength(unsigned char lead);

// Reads the sequence at text (available bytes, at least 1): its length, with
// its value in code_point; 0 when the sequence is cut short or a
// continuation byte is not one. A byte of length 1 is its own value, even a
// stray continuation byte; overlong forms and surrogates are read as they
// stand (IsShortestScalar tells them apart).
size_t Decode(const unsigned char* text, size_t available, uint32_t& code_point);

// Whether code_point, read from a sequence of length bytes, is a Unicode
// scalar value written in its shortest form (an ASCII byte for length 1).
bool IsShortestScalar(uint32_t code_point, size_t length);

} // namespace tr_Utf8
