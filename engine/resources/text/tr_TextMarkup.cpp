#include "engine/resources/text/tr_TextMarkup.h"

#include "engine/core/tr_Utf8.h"

#include <cstdint>

struct tr_TextMarkup::TagState {
    int32_t style = -1;
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    bool coloured = false;
};

namespace {

// A decimal fraction as content writes it ("0.5", "1", ".25"), read without
// regard to the user's locale. False when no digit is found.
bool ParseFraction(const std::string& text, float& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    double result = 0.0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, digits = true)
        result = result * 10.0 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale *= 0.1) {
            result += (text[i] - '0') * scale;
            digits = true;
        }
    }
    if (!digits)
        return false;
    value = static_cast<float>(negative ? -result : result);
    return true;
}

} // namespace

std::vector<int32_t> tr_TextMarkup::DecodeUtf8(const std::string& text) {
    std::vector<int32_t> codes;
    codes.reserve(text.size());
    const size_t size = text.size();
    size_t i = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    while (i < size) {
        // A sequence cut short or broken stands for its lead byte alone.
        uint32_t code = bytes[i];
        size_t length = tr_Utf8::Decode(bytes + i, size - i, code);
        if (length == 0) {
            length = 1;
            code = bytes[i];
        }
        codes.push_back(static_cast<int32_t>(code));
        i += length;
    }
    return codes;
}

std::vector<tr_TextChar> tr_TextMarkup::Plain(const std::string& text) {
    const std::vector<int32_t> codes = DecodeUtf8(text);
    std::vector<tr_TextChar> chars(codes.size());
    for (size_t i = 0; i < codes.size(); ++i)
        chars[i].code = codes[i];
    return chars;
}

std::vector<tr_TextChar> tr_TextMarkup::Parse(const std::string& text) {
    const std::vector<int32_t> codes = DecodeUtf8(text);
    std::vector<tr_TextChar> chars;
    chars.reserve(codes.size());
    TagState state;
    // Once a "<" finds no ">" after it, no later "<" can; remembering that
    // keeps a text full of "<" from being scanned once per "<".
    bool closable = true;
    size_t i = 0;
    while (i < codes.size()) {
        if (codes[i] == '<' && closable) {
            size_t close = i + 1;
            while (close < codes.size() && codes[close] != '>')
                ++close;
            // A "<" that no ">" closes is an ordinary character.
            closable = close < codes.size();
            if (closable) {
                ApplyTag(std::vector<int32_t>(codes.begin() + i + 1, codes.begin() + close), state);
                i = close + 1;
                continue;
            }
        }
        tr_TextChar c;
        c.code = codes[i];
        c.style = state.style;
        c.r = state.r;
        c.g = state.g;
        c.b = state.b;
        c.coloured = state.coloured;
        chars.push_back(c);
        ++i;
    }
    return chars;
}

void tr_TextMarkup::ApplyTag(const std::vector<int32_t>& codes, TagState& state) {
    // Tags are ASCII; anything wider cannot match a tag name.
    std::string tag;
    for (int32_t code : codes)
        tag += code > 0 && code < 128 ? static_cast<char>(code) : '\x7f';

    if (tag == "b") {
        state.style = 1;
    } else if (tag == "i") {
        state.style = 2;
    } else if (tag == "bi") {
        state.style = 3;
    } else if (tag == "/color") {
        state.r = state.g = state.b = 1.0f;
        state.coloured = false;
    } else if (!tag.empty() && tag[0] == '/') {
        state.style = -1;
    } else if (tag.find("color") != std::string::npos && tag.size() > 5) {
        const std::string components = tag.substr(5);
        float r = 1.0f, g = 1.0f, b = 1.0f;
        const bool any = ReadColourComponent(components, 'r', r) |
                         ReadColourComponent(components, 'g', g) |
                         ReadColourComponent(components, 'b', b);
        // A colour tag without one readable component changes nothing;
        // a missing component counts as full intensity.
        if (any) {
            state.r = r;
            state.g = g;
            state.b = b;
            state.coloured = true;
        }
    }
}

bool tr_TextMarkup::ReadColourComponent(const std::string& tag, char letter, float& value) {
    const size_t start = tag.find(letter);
    if (start == std::string::npos)
        return false;
    size_t end = tag.find(' ', start);
    if (end == std::string::npos)
        end = tag.size();
    // letter, '=', quote ... quote
    if (end - start < 5)
        return false;
    return ParseFraction(tag.substr(start + 3, end - start - 4), value);
}
