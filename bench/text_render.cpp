// Renders a wrapped 300-character paragraph at 24 px into its pixel buffer
// (layout, glyph rendering and compositing; no texture upload) and prints the
// mean time per render. Font: argv[1], else $TARROW_SOURCE_DIR or the working
// directory + "/assets/fonts/dejavusans".
#include "engine/resources/tr_Font.h"
#include "engine/resources/tr_TextRaster.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    std::string base;
    if (argc > 1) {
        base = argv[1];
    } else {
        const char* source = std::getenv("TARROW_SOURCE_DIR");
        base = std::string(source ? source : ".") + "/assets/fonts/dejavusans";
    }
    tr_Font font;
    if (!font.Load(base.c_str())) {
        std::fprintf(stderr, "text_render: no font at %s\n", base.c_str());
        return 1;
    }
    std::string paragraph;
    const std::string sentence = "The lantern flickered as the old clock struck nine, and "
                                 "somewhere below a door creaked open. ";
    while (paragraph.size() < 300)
        paragraph += sentence;
    paragraph.resize(300);

    tr_TextStyle style;
    style.fontsize = 24;
    tr_TextImage image;
    std::vector<tr_TextChar> chars;
    const auto run = [&](int count) {
        for (int i = 0; i < count; ++i)
            tr_TextRaster::Render(font, style, paragraph, 600, image, chars);
    };
    run(20); // warm-up
    const int iterations = 500;
    const auto start = std::chrono::steady_clock::now();
    run(iterations);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        iterations;
    std::printf("text_render: 300 characters at 24 px wrapped at 600 px -> %dx%d pixels: %.3f ms "
                "per render (target <= 2 ms)\n",
                image.width, image.height, ms);

    style.display_outline = true;
    const auto start_outline = std::chrono::steady_clock::now();
    run(iterations / 5);
    const double ms_outline =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_outline)
            .count() /
        (iterations / 5);
    std::printf("text_render: the same with an outline (5 passes): %.3f ms per render\n",
                ms_outline);
    return 0;
}
