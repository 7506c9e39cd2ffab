// pngpixel: prints the colour of pixels of a PNG file (any PNG format, read
// as 8-bit RGBA), for tests that look at pictures (screenshots of the game
// beside the art they should show) and for authors checking their art.
#include "engine/resources/images/tr_PngConverter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "usage: pngpixel FILE.png X Y [X Y ...]\n"
    "\n"
    "Prints the colour of the pixel at each point of a PNG file, one line\n"
    "\"X Y R G B A\" per point (0..255 each, after a first line \"# x y r g b a\"\n"
    "naming the columns). Any PNG is read: grey, palette and 16-bit files are\n"
    "shown as the 8-bit RGBA the converter (modcheck --fix) makes of them.\n"
    "The file's own format is named on standard error.\n"
    "\n"
    "  --help   this text\n"
    "\n"
    "Exit status: 0 printed, 1 the file cannot be read or a point lies\n"
    "outside it, 2 bad arguments.\n"
    "\n"
    "Example:\n"
    "  pngpixel assets/icon.png 0 0 31 31\n";

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
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: pngpixel FILE.png X Y [X Y ...] (try --help)\n");
        return 2;
    }
    std::vector<int> points;
    for (int i = 2; i < argc; ++i) {
        int value = 0;
        if (!ParseCoordinate(argv[i], value)) {
            std::fprintf(stderr, "pngpixel: bad coordinate \"%s\"\n", argv[i]);
            return 2;
        }
        points.push_back(value);
    }
    std::string format;
    std::string error;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    if (!tr_PngConverter::Describe(argv[1], format, &error) ||
        !tr_PngConverter::ReadRgba8(argv[1], width, height, rgba, &error)) {
        std::fprintf(stderr, "pngpixel: %s %s\n", argv[1], error.c_str());
        return 1;
    }
    std::fprintf(stderr, "pngpixel: %s is %dx%d, %s\n", argv[1], width, height, format.c_str());
    std::printf("# x y r g b a\n");
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        const int x = points[i];
        const int y = points[i + 1];
        if (x >= width || y >= height) {
            std::fprintf(stderr, "pngpixel: %d %d lies outside the %dx%d picture\n", x, y, width,
                         height);
            return 1;
        }
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        std::printf("%d %d %d %d %d %d\n", x, y, p[0], p[1], p[2], p[3]);
    }
    return 0;
}
