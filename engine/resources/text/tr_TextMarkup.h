// tr_TextMarkup: turns a UTF-8 string into character records and applies the
// inline tags: <b>, <i>, <bi>, </...> (back to the default style),
// <color r="1" g="0.5" b="0"> and </color>. Tags are removed from the result.
// Stateless; the records it returns belong to the caller.
#pragma once

#include "engine/resources/text/tr_TextChar.h"

#include <string>
#include <vector>

class tr_TextMarkup {
public:
    // Decodes and applies the tags.
    static std::vector<tr_TextChar> Parse(const std::string& text);
    // Decodes only: a "<" is a character like any other (typed text).
    static std::vector<tr_TextChar> Plain(const std::string& text);

    // UTF-8 to code points. A sequence that is cut short or has a bad
    // continuation byte decodes its lead byte as itself (so a lone byte 160
    // stays 160).
    static std::vector<int32_t> DecodeUtf8(const std::string& text);

private:
    struct TagState;
    static void ApplyTag(const std::vector<int32_t>& tag, TagState& state);
    static bool ReadColourComponent(const std::string& tag, char letter, float& value);
};
