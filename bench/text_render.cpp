// Renders a wrapped 300-character paragraph at 24 px and prints the mean time
// per render: into its pixel buffer (layout, glyph rendering and compositing),
// and, when a GL 3.3 core context can be had (a display or Xvfb), into its
// GL texture as a text object gets it (the same plus the texture upload).
// Font: argv[1], else $TARROW_SOURCE_DIR (or the source folder this was built
// from) + "/assets/fonts/dejavusans".
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_TextRenderer.h"
#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_TextRaster.h"

#include <SDL.h>

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
        base = std::string(source ? source : TARROW_SOURCE_DIR) + "/assets/fonts/dejavusans";
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
    style.display_outline = false;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("text_render: no video (%s), texture figure skipped\n", SDL_GetError());
        return 0;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_Window* window =
        SDL_CreateWindow("bench_text_render", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (context) {
        {
            // The renderer lets go of its GL objects before the context goes.
            tr_Render_GL render;
            render.Init(64.0f, 64.0f);
            const auto to_texture = [&](int count) {
                for (int i = 0; i < count; ++i)
                    tr_TextRenderer::RenderText(font, style, paragraph, 600);
            };
            to_texture(20);
            const auto start_texture = std::chrono::steady_clock::now();
            to_texture(iterations);
            glFinish();
            const double ms_texture = std::chrono::duration<double, std::milli>(
                                          std::chrono::steady_clock::now() - start_texture)
                                          .count() /
                                      iterations;
            std::printf(
                "text_render: into its GL texture (%s): %.3f ms per render (target <= 2 ms)\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)), ms_texture);
        }
        SDL_GL_DeleteContext(context);
    } else {
        std::printf("text_render: no GL 3.3 core context (%s), texture figure skipped\n",
                    SDL_GetError());
    }
    if (window)
        SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
