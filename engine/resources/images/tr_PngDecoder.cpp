#include "engine/resources/images/tr_PngDecoder.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

void SilentWarning(png_structp, png_const_charp) {}

// Everything between setjmp and the last libpng call lives here so that no
// object with a destructor is skipped by libpng's longjmp.
struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

bool ReadHeader(PngReader& reader, FILE* file, png_uint_32& width, png_uint_32& height,
                int& bit_depth, int& color_type) {
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_init_io(reader.png, file);
    png_set_sig_bytes(reader.png, 8);
    png_read_info(reader.png, reader.info);
    width = png_get_image_width(reader.png, reader.info);
    height = png_get_image_height(reader.png, reader.info);
    bit_depth = png_get_bit_depth(reader.png, reader.info);
    color_type = png_get_color_type(reader.png, reader.info);
    return true;
}

bool ReadRows(PngReader& reader, png_bytepp rows) {
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_set_bgr(reader.png);
    png_set_interlace_handling(reader.png);
    png_read_update_info(reader.png, reader.info);
    if (png_get_rowbytes(reader.png, reader.info) !=
        png_get_image_width(reader.png, reader.info) * 4)
        return false;
    png_read_image(reader.png, rows);
    return true;
}

} // namespace

bool tr_PngDecoder::Decode(const std::string& path, tr_DecodedImage& image) {
    image = tr_DecodedImage();
    std::unique_ptr<FILE, FileCloser> file(tr_ContentPath::Open(path));
    if (!file) {
        tr_Log("Error: File %s could not be opened for reading", path.c_str());
        return false;
    }
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        tr_Log("Error: File %s is not recognized as a PNG file", path.c_str());
        return false;
    }
    PngReader reader;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, SilentWarning);
    if (!reader.png) {
        tr_Log("Error: png_create_read_struct failed");
        return false;
    }
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info) {
        tr_Log("Error: png_create_info_struct failed");
        return false;
    }
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bit_depth = 0;
    int color_type = 0;
    if (!ReadHeader(reader, file.get(), width, height, bit_depth, color_type)) {
        tr_Log("Error: Error during init_io");
        return false;
    }
    if (color_type != PNG_COLOR_TYPE_RGBA || bit_depth != 8) {
        tr_Log("Error: PNG image is not 32 bit format. File %s", path.c_str());
        return false;
    }
    if (!tr_DecodedImage::WithinBudget(width, height)) {
        tr_Log("Error: image %s claims %u x %u pixels, more than a texture may hold", path.c_str(),
               static_cast<unsigned>(width), static_cast<unsigned>(height));
        return false;
    }
    tr_DecodedImage::Pixels pixels(static_cast<size_t>(width) * height * 4);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels.data() + static_cast<size_t>(y) * width * 4;
    if (!ReadRows(reader, rows.data())) {
        tr_Log("Error: Error during read_image");
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.swap(pixels);
    return true;
}
