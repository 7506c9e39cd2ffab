#include "TestImages.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include <jpeglib.h>

std::string MakeTempFolder(const std::string& tag) {
    static int counter = 0;
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) /
        ("tr_textures_" + tag + "_" + std::to_string(getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

void RemoveFolder(const std::string& folder) {
    std::filesystem::remove_all(folder);
}

void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba,
              int channels, int bit_depth, bool interlaced) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    const int color_type = channels == 4   ? PNG_COLOR_TYPE_RGBA
                           : channels == 3 ? PNG_COLOR_TYPE_RGB
                                           : PNG_COLOR_TYPE_GRAY;
    png_set_IHDR(png, info, width, height, bit_depth, color_type,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    const int bytes_per_sample = bit_depth / 8;
    std::vector<uint8_t> row(static_cast<size_t>(width) * channels * bytes_per_sample);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) {
            size_t at = 0;
            for (int x = 0; x < width; ++x) {
                const uint32_t p = rgba[static_cast<size_t>(y) * width + x];
                const uint8_t values[4] = {static_cast<uint8_t>(p >> 16),
                                           static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p),
                                           static_cast<uint8_t>(p >> 24)};
                const int order[4] = {0, 1, 2, 3};
                for (int c = 0; c < channels; ++c) {
                    for (int b = 0; b < bytes_per_sample; ++b)
                        row[at++] = values[order[c]];
                }
            }
            png_write_row(png, row.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void WriteJpeg(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba,
               int channels) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = channels;
    info.in_color_space = channels == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * channels);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = rgba[static_cast<size_t>(info.next_scanline) * width + x];
            if (channels == 3) {
                row[x * 3] = static_cast<uint8_t>(p >> 16);
                row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
                row[x * 3 + 2] = static_cast<uint8_t>(p);
            } else {
                row[x] = static_cast<uint8_t>(p);
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
