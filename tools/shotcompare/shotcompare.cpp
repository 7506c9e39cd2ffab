// shotcompare: holds screenshots of the game against small expected pictures
// (the screenshot tour). A picture is shrunk by a whole factor, each pixel of
// the result the mean of a factor x factor block (blocks cut by the right or
// bottom edge are dropped), which evens out a rasteriser's small differences
// and keeps the expected pictures a few kilobytes each.
//   shotcompare shrink IN.png OUT.png FACTOR
//   shotcompare compare SHOT.png EXPECTED.png FACTOR TOLERANCE PERCENT
// compare shrinks SHOT, which must then have EXPECTED's size; a pixel differs
// when one of its colour channels differs by more than TOLERANCE, and the
// pictures match when at most PERCENT per cent of the pixels differ. It
// prints one line with the figures either way.
// Exit status 0 when done or matching, 1 when not matching or a file cannot
// be read or written, 2 on bad arguments.
#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_PngDecoder.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Opaque pixels, 0xAARRGGBB, rows top first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
};

bool ParseNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(value) && value >= low && value <= high;
}

bool Load(const char* path, tr_DecodedImage& image) {
    if (tr_PngDecoder::Decode(path, image))
        return true;
    std::fprintf(stderr, "shotcompare: cannot read %s as a PNG picture\n", path);
    return false;
}

// Decoded pixels are blue, green, red, alpha; alpha is ignored.
Picture Shrink(const tr_DecodedImage& image, int factor) {
    Picture small;
    small.width = image.width / factor;
    small.height = image.height / factor;
    small.argb.resize(size_t(small.width) * size_t(small.height));
    const int area = factor * factor;
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            int sum[3] = {0, 0, 0};
            for (int row = 0; row < factor; ++row) {
                const uint8_t* at = &image.pixels[(size_t(y * factor + row) * size_t(image.width) +
                                                   size_t(x * factor)) *
                                                  4];
                for (int column = 0; column < factor; ++column, at += 4) {
                    for (int c = 0; c < 3; ++c)
                        sum[c] += at[c];
                }
            }
            uint32_t pixel = 0xFF000000u;
            for (int c = 0; c < 3; ++c)
                pixel |= uint32_t((sum[c] + area / 2) / area) << (8 * c);
            small.argb[size_t(y) * size_t(small.width) + size_t(x)] = pixel;
        }
    }
    return small;
}

int Channel(uint32_t pixel, int c) {
    return int((pixel >> (8 * c)) & 255u);
}

int RunShrink(char** argv) {
    double factor = 0.0;
    if (!ParseNumber(argv[4], 1, 256, factor) || factor != std::floor(factor)) {
        std::fprintf(stderr, "shotcompare: the factor must be a whole number from 1 to 256\n");
        return 2;
    }
    tr_DecodedImage image;
    if (!Load(argv[2], image))
        return 1;
    const Picture small = Shrink(image, int(factor));
    if (small.width == 0 || small.height == 0 ||
        !tr_PngWriter::Write(argv[3], small.argb.data(), small.width, small.height)) {
        std::fprintf(stderr, "shotcompare: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

int RunCompare(char** argv) {
    double factor = 0.0;
    double tolerance = 0.0;
    double percent = 0.0;
    if (!ParseNumber(argv[4], 1, 256, factor) || factor != std::floor(factor) ||
        !ParseNumber(argv[5], 0, 255, tolerance) || !ParseNumber(argv[6], 0, 100, percent)) {
        std::fprintf(stderr, "shotcompare: FACTOR 1..256 (whole), TOLERANCE 0..255, PERCENT "
                             "0..100\n");
        return 2;
    }
    tr_DecodedImage shot;
    tr_DecodedImage expected;
    if (!Load(argv[2], shot) || !Load(argv[3], expected))
        return 1;
    const Picture small = Shrink(shot, int(factor));
    if (small.width != expected.width || small.height != expected.height) {
        std::printf("%s: shrunk to %dx%d, the expected picture is %dx%d\n", argv[2], small.width,
                    small.height, expected.width, expected.height);
        return 1;
    }
    size_t differing = 0;
    int largest = 0;
    for (size_t i = 0; i < small.argb.size(); ++i) {
        const uint8_t* want = &expected.pixels[i * 4];
        int worst = 0;
        for (int c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(Channel(small.argb[i], c) - int(want[c])));
        largest = std::max(largest, worst);
        if (worst > tolerance)
            ++differing;
    }
    const double share = 100.0 * double(differing) / double(small.argb.size());
    const bool match = share <= percent;
    std::printf("%s: %zu of %zu pixels (%.2f%%) differ by more than %g, largest difference %d: "
                "%s\n",
                argv[2], differing, small.argb.size(), share, tolerance, largest,
                match ? "matches" : "does not match");
    return match ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "shrink" && argc == 5)
        return RunShrink(argv);
    if (command == "compare" && argc == 7)
        return RunCompare(argv);
    std::fprintf(stderr, "usage: shotcompare shrink IN.png OUT.png FACTOR\n"
                         "       shotcompare compare SHOT.png EXPECTED.png FACTOR TOLERANCE "
                         "PERCENT\n");
    return 2;
}
