// videopack: makes a video the engine plays from a sequence of PNG frames.
//   videopack [-f FPS] [-q QUALITY] [--no-alpha] OUTPUT_BASE FRAME.png...
// writes OUTPUT_BASE.ogg (Ogg Theora) and, unless --no-alpha, OUTPUT_BASE.zalpha
// with the frames' alpha channel. Every frame must have the first one's size.
// On failure (exit status 1) no output file is left behind; bad arguments exit
// with status 2.
#include "engine/resources/media/tr_VideoEncoder.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "usage: videopack [-f FPS] [-q QUALITY] [--no-alpha] OUTPUT_BASE FRAME.png...\n"
    "\n"
    "Makes a video the engine plays from a sequence of PNG frames (any PNG\n"
    "format): OUTPUT_BASE.ogg (Ogg Theora) and, unless --no-alpha,\n"
    "OUTPUT_BASE.zalpha with the frames' alpha channel. Every frame must have the\n"
    "first one's size. On failure no output file is left behind.\n"
    "\n"
    "  -f FPS        frames per second (1..1000, default 25)\n"
    "  -q QUALITY    Theora quality 0..63 (default 48)\n"
    "  --no-alpha    write no alpha file\n"
    "  --help        this text\n"
    "\n"
    "Exit status: 0 written, 1 failed, 2 bad arguments.\n"
    "\n"
    "Example:\n"
    "  videopack -f 25 assets/levels/demo/garden/fountain_splash /tmp/frames/*.png\n";

// --help anywhere on the line: the help on standard output, nothing run.
bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

int Usage() {
    std::fprintf(stderr, "usage: videopack [-f FPS] [-q QUALITY 0..63] [--no-alpha] OUTPUT_BASE "
                         "FRAME.png...\n");
    return 2;
}

bool ReadPng(const char* path, std::vector<uint8_t>* pixels, int* width, int* height) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        std::fprintf(stderr, "videopack: %s: %s\n", path, image.message);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    pixels->resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels->data(), 0, nullptr)) {
        std::fprintf(stderr, "videopack: %s: %s\n", path, image.message);
        png_image_free(&image);
        return false;
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return true;
}

bool ParseInt(const char* text, int low, int high, int* value) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || v < low || v > high) {
        return false;
    }
    *value = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    tr_VideoEncoder::Options options;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string flag = argv[i];
        if (flag == "--no-alpha") {
            options.write_alpha = false;
        } else if (flag == "-f" && i + 1 < argc) {
            if (!ParseInt(argv[++i], 1, 1000, &options.fps_numerator)) {
                std::fprintf(stderr, "videopack: bad frame rate \"%s\"\n", argv[i]);
                return 2;
            }
        } else if (flag == "-q" && i + 1 < argc) {
            if (!ParseInt(argv[++i], 0, 63, &options.quality)) {
                std::fprintf(stderr, "videopack: bad quality \"%s\"\n", argv[i]);
                return 2;
            }
        } else {
            std::fprintf(stderr, "videopack: unknown argument \"%s\"\n", argv[i]);
            return Usage();
        }
    }
    if (argc - i < 2) {
        return Usage();
    }
    const std::string base = argv[i++];
    tr_VideoEncoder encoder;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    // A failure removes what the encoder wrote: a video cut short would
    // otherwise pass for a finished one.
    auto fail = [&encoder] {
        encoder.RemoveOutput();
        return 1;
    };
    for (int frame = 0; i < argc; ++i, ++frame) {
        int w = 0;
        int h = 0;
        if (!ReadPng(argv[i], &pixels, &w, &h)) {
            return fail();
        }
        if (frame == 0) {
            width = w;
            height = h;
            if (!encoder.Begin(base, width, height, options)) {
                std::fprintf(stderr, "videopack: %s\n", encoder.GetError().c_str());
                return fail();
            }
        } else if (w != width || h != height) {
            std::fprintf(stderr, "videopack: %s is %dx%d, the first frame %dx%d\n", argv[i], w, h,
                         width, height);
            return fail();
        }
        if (!encoder.AddFrame(pixels.data(), width * 4)) {
            std::fprintf(stderr, "videopack: %s\n", encoder.GetError().c_str());
            return fail();
        }
    }
    if (!encoder.Finish()) {
        std::fprintf(stderr, "videopack: %s\n", encoder.GetError().c_str());
        return fail();
    }
    return 0;
}
