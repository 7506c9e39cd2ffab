// fontscramble: turns a TrueType file into the engine's ".trfnt" font file.
// The input must be a font FreeType opens and the output must open as the
// same font once the engine unscrambles it; anything else is refused and no
// output is written.
#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_FontScramble.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

const char kHelp[] = "usage: fontscramble IN.ttf OUT.trfnt\n"
                     "\n"
                     "Turns a TrueType (or OpenType) font into the engine's scrambled \".trfnt\"\n"
                     "font file. A file FreeType cannot open as a font is refused and nothing\n"
                     "is written. Text objects name the result without its extension\n"
                     "(res=\"assets/fonts/myfont\"); \"_b\", \"_i\" and \"_bi\" files beside it\n"
                     "are its bold, italic and bold italic styles.\n"
                     "\n"
                     "  --help   this text\n"
                     "\n"
                     "Exit status: 0 written, 1 refused or not written, 2 bad arguments.\n"
                     "\n"
                     "Example:\n"
                     "  fontscramble /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "
                     "assets/fonts/dejavusans.trfnt\n";

// --help anywhere on the line: the help on standard output, nothing run.
bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

// The family name of the font in bytes, or "" when FreeType cannot open it.
std::string FontName(const std::vector<uint8_t>& bytes) {
    tr_Font font;
    if (!font.OpenFaceFromMemory(0, bytes))
        return std::string();
    const std::string name = font.GetFaceName(0);
    return name.empty() ? std::string("(unnamed)") : name;
}

} // namespace

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: fontscramble IN.ttf OUT.trfnt (try --help)\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fontscramble: cannot open \"%s\"\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t> plain((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    const std::string name = FontName(plain);
    if (name.empty()) {
        std::fprintf(stderr, "fontscramble: \"%s\" is not a font FreeType can open\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t> veiled = tr_FontScramble::Scramble(plain.data(), plain.size());
    if (tr_FontScramble::Unscramble(veiled.data(), veiled.size()) != plain) {
        std::fprintf(stderr, "fontscramble: \"%s\" does not survive scrambling\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(veiled.data()),
              static_cast<std::streamsize>(veiled.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "fontscramble: cannot write \"%s\"\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    std::printf("%s (%s): %zu bytes -> %s: %zu bytes\n", argv[1], name.c_str(), plain.size(),
                argv[2], veiled.size());
    return 0;
}
