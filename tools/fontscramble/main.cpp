// fontscramble: turns a TrueType file into the engine's ".trfnt" font file.
// Usage: fontscramble in.ttf out.trfnt
#include "engine/resources/text/tr_FontScramble.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fontscramble in.ttf out.trfnt\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fontscramble: cannot open \"%s\"\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t> plain((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (plain.empty()) {
        std::fprintf(stderr, "fontscramble: \"%s\" is empty\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t> veiled = tr_FontScramble::Scramble(plain.data(), plain.size());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(veiled.data()),
              static_cast<std::streamsize>(veiled.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "fontscramble: cannot write \"%s\"\n", argv[2]);
        return 1;
    }
    std::printf("%s: %zu bytes -> %s: %zu bytes\n", argv[1], plain.size(), argv[2], veiled.size());
    return 0;
}
