// tp_SaveGameEntry: how one entry of a saved game's data is spelled. An
// entry is an element named by a type letter ("b", "n", "s", "t"), "_" and
// the key, with the value in attribute "v". A key that cannot stand in an
// element name unchanged (not a valid name, or a string that would read
// back as a number) is written as the bare prefix with the key in attribute
// "k" (strings) or "kn" (numbers that are not 32-bit integers), so every
// key survives the round trip while files in the plain spelling read as
// before. Stateless; no Lua here (the converter of tp_global uses it).
#pragma once

#include <string>

namespace tinyxml2 {
class XMLElement;
}

struct tp_SaveGameKey {
    bool is_number = false;
    double number = 0.0;
    std::string text; // the key when it is a string

    static tp_SaveGameKey Number(double value);
    static tp_SaveGameKey String(std::string value);
};

class tp_SaveGameEntry {
public:
    // Appends "<" and the element name for an entry of type letter type
    // (plus the key attribute when one is needed) and returns the element
    // name, which a table entry needs again for its closing tag.
    static std::string AppendOpen(std::string& out, char type, const tp_SaveGameKey& key);
    // The key an element stands for (reading is the inverse of AppendOpen;
    // a plain name is a number only when its key text is a canonical
    // non-zero 32-bit integer, so "0" and "2nd" stay strings).
    static tp_SaveGameKey ReadKey(const tinyxml2::XMLElement& element);

    // Attribute text: &, <, >, " and control characters as references.
    static void AppendEscaped(std::string& out, const char* text, size_t size);
    // The shortest decimal text that reads back as exactly value.
    static void AppendNumber(std::string& out, double value);
    // Whether text is a canonical non-zero 32-bit integer ("-12", not "012").
    static bool IsCanonicalInteger(const std::string& text);
};
