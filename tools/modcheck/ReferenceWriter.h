// ReferenceWriter: the generated half of the author's reference
// (docs/reference.md), written from the tables the running game uses: the
// object factory's types with the attributes each class reads, the script
// functions registered by the engine and by the game, the message numbers
// scripts see, the built-in widget types and the cursor names. A test
// compares the committed file with this output, so the reference cannot
// drift from the code. Stateless.
#pragma once

#include <cstdio>

class ReferenceWriter {
public:
    // Markdown on out; the game's object types must be registered first.
    static void Write(std::FILE* out);
};
