// pngpixel: prints the colour of pixels of an 8-bit RGBA PNG file, one line
// "X Y R G B A" per point, for tests that look at pictures (screenshots of
// the game beside the art they should show).
//   pngpixel FILE X Y [X Y ...]
// Exit status 1 when the file cannot be read or a point lies outside it,
// 2 on bad arguments.
#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_PngDecoder.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool ParseCoordinate(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 65535)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: pngpixel FILE X Y [X Y ...]\n");
        return 2;
    }
    tr_DecodedImage image;
    if (!tr_PngDecoder::Decode(argv[1], image)) {
        std::fprintf(stderr, "pngpixel: cannot read %s as an 8-bit RGBA PNG\n", argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        int x = 0;
        int y = 0;
        if (!ParseCoordinate(argv[i], x) || !ParseCoordinate(argv[i + 1], y)) {
            std::fprintf(stderr, "pngpixel: bad point \"%s %s\"\n", argv[i], argv[i + 1]);
            return 2;
        }
        if (x >= image.width || y >= image.height) {
            std::fprintf(stderr, "pngpixel: %d %d lies outside the %dx%d picture\n", x, y,
                         image.width, image.height);
            return 1;
        }
        // Decoded pixels are blue, green, red, alpha.
        const size_t at = (static_cast<size_t>(y) * image.width + x) * 4;
        std::printf("%d %d %d %d %d %d\n", x, y, image.pixels[at + 2], image.pixels[at + 1],
                    image.pixels[at], image.pixels[at + 3]);
    }
    return 0;
}
