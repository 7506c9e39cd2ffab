// Loading a 1366 x 768 JPEG and an RGBA PNG through the resource registry
// (decode, device upload, opacity mask) against a plain libjpeg / libpng
// decode of the same files. The registry runs once on the in-memory device
// and once on the GL device (a hidden SDL window with a GL 3.3 core
// context; those runs are skipped without a display).
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

const int kWidth = 1366;
const int kHeight = 768;

const std::string& Folder() {
    static const std::string folder = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "tr_bench_texture_load/").string();
        std::filesystem::create_directories(path);
        // A picture with smooth gradients and some detail, like game art.
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const uint32_t r =
                    static_cast<uint32_t>(127 + 120 * std::sin(x * 0.01f + y * 0.003f));
                const uint32_t g = static_cast<uint32_t>((x * y) >> 6) & 255;
                const uint32_t b = static_cast<uint32_t>(127 + 120 * std::cos(y * 0.02f));
                const uint32_t a = (x / 64 + y / 64) % 3 == 0 ? 0u : 255u;
                pixels[static_cast<size_t>(y) * kWidth + x] = a << 24 | r << 16 | g << 8 | b;
            }
        tr_PngWriter::Write(path + "picture.png", pixels.data(), kWidth, kHeight);

        FILE* file = std::fopen((path + "photo.jpg").c_str(), "wb");
        jpeg_compress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, file);
        info.image_width = kWidth;
        info.image_height = kHeight;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 90, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<uint8_t> row(static_cast<size_t>(kWidth) * 3);
        while (info.next_scanline < info.image_height) {
            for (int x = 0; x < kWidth; ++x) {
                const uint32_t p = pixels[static_cast<size_t>(info.next_scanline) * kWidth + x];
                row[x * 3] = static_cast<uint8_t>(p >> 16);
                row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
                row[x * 3 + 2] = static_cast<uint8_t>(p);
            }
            JSAMPROW pointer = row.data();
            jpeg_write_scanlines(&info, &pointer, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        std::fclose(file);
        return path;
    }();
    return folder;
}

void RegistryLoad(benchmark::State& state, const char* name) {
    tr_ResourceRegistry registry;
    const std::string path = Folder() + name;
    for (auto _ : state) {
        // The only user lets go at once, so every lookup loads the file again.
        std::shared_ptr<tr_Texture> texture = registry.GetTexture(path);
        if (!texture)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(texture.get());
    }
}

void BM_RegistryPng(benchmark::State& state) {
    RegistryLoad(state, "picture");
}
void BM_RegistryJpeg(benchmark::State& state) {
    RegistryLoad(state, "photo");
}

// A GL renderer on a hidden window, made once for the GL runs; null when no
// context can be had.
tr_Render_GL* GLRenderer() {
    static tr_Render_GL* renderer = []() -> tr_Render_GL* {
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            return nullptr;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_Window* window = SDL_CreateWindow("bench_texture_load", 0, 0, 64, 64,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window || !SDL_GL_CreateContext(window))
            return nullptr;
        auto* render = new tr_Render_GL();
        render->Init(64, 64);
        return render;
    }();
    return renderer;
}

void RegistryLoadGL(benchmark::State& state, const char* name) {
    if (!GLRenderer()) {
        state.SkipWithError("no GL context");
        return;
    }
    GLRenderer()->Init(64, 64); // installs its GL device
    RegistryLoad(state, name);
    glFinish();
    tr_RenderDevice::SetCurrent(nullptr); // back to the in-memory device
}

void BM_RegistryPngGL(benchmark::State& state) {
    RegistryLoadGL(state, "picture");
}
void BM_RegistryJpegGL(benchmark::State& state) {
    RegistryLoadGL(state, "photo");
}

void BM_PlainPng(benchmark::State& state) {
    const std::string path = Folder() + "picture.png";
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_bgr(png);
        png_read_update_info(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        const size_t row_bytes = png_get_rowbytes(png, info);
        std::vector<uint8_t> pixels(row_bytes * height);
        std::vector<png_bytep> rows(height);
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = pixels.data() + y * row_bytes;
        png_read_image(png, rows.data());
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_PlainJpeg(benchmark::State& state) {
    const std::string path = Folder() + "photo.jpg";
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "rb");
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        const size_t row_bytes = static_cast<size_t>(info.output_width) * 3;
        std::vector<uint8_t> pixels(row_bytes * info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.data() + info.output_scanline * row_bytes;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
}

BENCHMARK(BM_RegistryPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryPngGL)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryJpegGL)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainJpeg)->Unit(benchmark::kMillisecond);

} // namespace
