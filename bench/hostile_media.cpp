// Memory taken by hostile media on the real decoding paths: prints the peak
// resident size of the process after one job (run it under /usr/bin/time -v
// for the same figure from outside).
//   bench_hostile_media sound FILE.ogg COPIES SECONDS   copies playing at once
//                                                       (SDL device; set
//                                                       SDL_AUDIODRIVER=disk and
//                                                       SDL_DISKAUDIOFILE=/dev/null
//                                                       without a sound card)
//   bench_hostile_media text FONT SIZE                  a paragraph in FONT (path
//                                                       without ".trfnt") at SIZE
//   bench_hostile_media image FILE                      FILE (without extension)
//                                                       loaded as a texture
#include "engine/core/tr_FrameInfo.h"
#include "engine/platform/sdl/tr_AudioBackend_SDL.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_TextRaster.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

const char* const kParagraph = "Find the brass key, the lantern and the old map.\n"
                               "Quickly! The study door creaks: JOVIAL WIZARDS 0123456789";

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int PlaySounds(const std::string& file, int copies, double seconds) {
    tr_SoundHub hub(tr_AudioBackend_SDL::Create());
    if (hub.IsNoSoundDevice()) {
        std::fprintf(stderr, "no audio device (try SDL_AUDIODRIVER=disk)\n");
        return 1;
    }
    const std::string name = file.substr(0, file.size() - 4);
    for (int i = 0; i < copies; ++i) {
        hub.Play(name, "sfx", true, false, 0.0f);
    }
    tr_FrameInfo info;
    info.dt = 1.0f / 60.0f;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
        hub.Update(&info);
    }
    std::printf("sound: %d of %d copies still playing\n", hub.CountSounds(), copies);
    return 0;
}

int RenderText(const std::string& font_path, int size) {
    tr_Font font;
    if (!font.Load(font_path.c_str())) {
        return 1;
    }
    tr_TextStyle style;
    style.fontsize = size;
    tr_TextImage image;
    std::vector<tr_TextChar> chars;
    const auto start = std::chrono::steady_clock::now();
    tr_TextRaster::Render(font, style, kParagraph, 1024, image, chars);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("text: %d x %d image in %.0f ms\n", image.width, image.height, ms);
    return 0;
}

int LoadImage(const std::string& name) {
    tr_Texture texture;
    std::printf("image: %s\n", texture.Load(name.c_str()) ? "loaded" : "refused");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string job = argc > 2 ? argv[1] : "";
    int status = 2;
    if (job == "sound" && argc == 5) {
        status = PlaySounds(argv[2], std::atoi(argv[3]), std::atof(argv[4]));
    } else if (job == "text" && argc == 4) {
        status = RenderText(argv[2], std::atoi(argv[3]));
    } else if (job == "image" && argc == 3) {
        status = LoadImage(argv[2]);
    } else {
        std::fprintf(stderr, "usage: %s sound FILE COPIES SECONDS | text FONT SIZE | image FILE\n",
                     argv[0]);
        return 2;
    }
    std::printf("peak resident size: %ld MB\n", PeakKilobytes() / 1024);
    return status;
}
