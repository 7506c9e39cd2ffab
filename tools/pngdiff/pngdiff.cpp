// pngdiff: compares two 8-bit RGBA PNG files of the same size, for tests
// that hold a screenshot against a reference picture. Prints one line
// "DIFFERING LARGEST X Y": how many pixels differ by more than TOLERANCE in
// some channel, the largest channel difference seen, and the first such
// pixel (-1 -1 when none).
//   pngdiff A B [TOLERANCE=0]
// Exit status 0 when no pixel differs by more than TOLERANCE, 1 when some
// do or a file cannot be read or the sizes differ, 2 on bad arguments.
#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_PngDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: pngdiff A B [TOLERANCE]\n");
        return 2;
    }
    int tolerance = 0;
    if (argc == 4) {
        char* end = nullptr;
        const long parsed = std::strtol(argv[3], &end, 10);
        if (end == argv[3] || *end != '\0' || parsed < 0 || parsed > 255) {
            std::fprintf(stderr, "pngdiff: the tolerance must be 0 to 255, not \"%s\"\n", argv[3]);
            return 2;
        }
        tolerance = static_cast<int>(parsed);
    }
    tr_DecodedImage images[2];
    for (int i = 0; i < 2; ++i) {
        if (!tr_PngDecoder::Decode(argv[1 + i], images[i])) {
            std::fprintf(stderr, "pngdiff: cannot read %s as an 8-bit RGBA PNG\n", argv[1 + i]);
            return 1;
        }
    }
    const tr_DecodedImage& a = images[0];
    const tr_DecodedImage& b = images[1];
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "pngdiff: the sizes differ: %dx%d and %dx%d\n", a.width, a.height,
                     b.width, b.height);
        return 1;
    }
    long differing = 0;
    int largest = 0;
    int first_x = -1;
    int first_y = -1;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const size_t at = (static_cast<size_t>(y) * a.width + x) * 4;
            int worst = 0;
            for (int c = 0; c < 4; ++c)
                worst = std::max(worst, std::abs(a.pixels[at + c] - b.pixels[at + c]));
            largest = std::max(largest, worst);
            if (worst > tolerance) {
                if (differing++ == 0) {
                    first_x = x;
                    first_y = y;
                }
            }
        }
    }
    std::printf("%ld %d %d %d\n", differing, largest, first_x, first_y);
    return differing == 0 ? 0 : 1;
}
