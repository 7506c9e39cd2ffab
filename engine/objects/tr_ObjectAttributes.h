// tr_ObjectAttributes: the attribute names a factory type understands, found
// by asking a fresh object of the type what it reads in Load and writes in
// Save (never from a list kept beside the classes, so a new attribute shows
// up by itself). Module checkers and the generated reference use it.
// Stateless; the factory is only read.
#pragma once

#include <string>
#include <vector>

class tr_ObjectFactory;

class tr_ObjectAttributes {
public:
    // Sorted, without repeats; empty for an unknown type.
    static std::vector<std::string> Of(const tr_ObjectFactory& factory, const std::string& type);

    // Attributes whose value is trigger call code ("Name(args)" or "*code"):
    // the event slots, the room and text-field hooks and the end triggers.
    static bool HoldsCallCode(const std::string& attribute);
};
