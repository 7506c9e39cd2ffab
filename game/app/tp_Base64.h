// tp_Base64: the standard Base64 alphabet (A-Z a-z 0-9 + /, "=" padding, no
// line breaks) the profile list stores player names in. Stateless.
#pragma once

#include <string>

class tp_Base64 {
public:
    static std::string Encode(const std::string& bytes);
    // Stops at the first "=" or at the first character outside the alphabet;
    // what was decoded up to there is the result (a trailing partial group
    // gives the whole bytes it holds).
    static std::string Decode(const std::string& text);
};
