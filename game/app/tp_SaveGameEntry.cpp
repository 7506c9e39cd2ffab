#include "game/app/tp_SaveGameEntry.h"

#include <tinyxml2.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

// What may follow the prefix: the prefix already starts the name, so any
// name character (digits included) is fine.
bool IsPlainTail(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (!IsNameChar(c))
            return false;
    }
    return true;
}

bool IsInt32(double value) {
    return std::floor(value) == value && value >= -2147483648.0 && value <= 2147483647.0;
}

} // namespace

tp_SaveGameKey tp_SaveGameKey::Number(double value) {
    tp_SaveGameKey key;
    key.is_number = true;
    key.number = value;
    return key;
}

tp_SaveGameKey tp_SaveGameKey::String(std::string value) {
    tp_SaveGameKey key;
    key.text = std::move(value);
    return key;
}

std::string tp_SaveGameEntry::AppendOpen(std::string& out, char type, const tp_SaveGameKey& key) {
    std::string name(1, type);
    name += '_';
    out += '<';
    if (key.is_number && IsInt32(key.number)) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", int(key.number));
        name += digits;
        out += name;
    } else if (key.is_number) {
        out += name;
        out += " kn=\"";
        AppendNumber(out, key.number);
        out += '"';
    } else if (IsPlainTail(key.text) && !IsCanonicalInteger(key.text)) {
        name += key.text;
        out += name;
    } else {
        out += name;
        out += " k=\"";
        AppendEscaped(out, key.text.data(), key.text.size());
        out += '"';
    }
    return name;
}

tp_SaveGameKey tp_SaveGameEntry::ReadKey(const tinyxml2::XMLElement& element) {
    if (const char* number = element.Attribute("kn"))
        return tp_SaveGameKey::Number(std::strtod(number, nullptr));
    if (const char* text = element.Attribute("k"))
        return tp_SaveGameKey::String(text);
    const char* name = element.Name();
    const std::string tail = std::strlen(name) >= 2 ? name + 2 : "";
    if (IsCanonicalInteger(tail))
        return tp_SaveGameKey::Number(std::strtod(tail.c_str(), nullptr));
    return tp_SaveGameKey::String(tail);
}

void tp_SaveGameEntry::AppendEscaped(std::string& out, const char* text, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char reference[8];
                std::snprintf(reference, sizeof reference, "&#%d;", c);
                out += reference;
            } else {
                out += c;
            }
        }
    }
}

void tp_SaveGameEntry::AppendNumber(std::string& out, double value) {
    // The shortest text that reads back exactly (atof / strtod read it too).
    char text[40];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

bool tp_SaveGameEntry::IsCanonicalInteger(const std::string& text) {
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const size_t digits = text.size() - i;
    if (digits == 0 || digits > 10 || text[i] < '1' || text[i] > '9')
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= -2147483648LL && value <= 2147483647LL;
}
