#include "engine/resources/images/tr_PngWriter.h"

#include "engine/core/tr_Log.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// libpng's longjmp lands here; the frame holds nothing with a destructor.
bool WriteRows(FILE* file, png_bytepp rows, int width, int height) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool tr_PngWriter::Write(const std::string& path, const uint32_t* argb, int width, int height) {
    if (!argb || width <= 0 || height <= 0) {
        tr_Log("Error: could not write image %s", path.c_str());
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        tr_Log("Error: File %s could not be opened for writing", path.c_str());
        return false;
    }
    // 0xAARRGGBB in memory is blue, green, red, alpha: png_set_bgr writes it as RGBA.
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = reinterpret_cast<png_bytep>(
            const_cast<uint32_t*>(argb + static_cast<size_t>(y) * width));
    const bool written = WriteRows(file, rows.data(), width, height);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        tr_Log("Error: could not write image %s", path.c_str());
        std::remove(path.c_str());
        return false;
    }
    return true;
}
