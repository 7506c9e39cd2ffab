#include "engine/resources/images/tr_PngConverter.h"

#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

void SilentWarning(png_structp, png_const_charp) {}

// Owns the libpng structures; everything between setjmp and the last libpng
// call is plain data so that libpng's longjmp skips no destructor.
struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Reader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct Header {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bit_depth = 0;
    int color_type = 0;
    bool transparency = false;
};

bool ReadInfo(Reader& reader, FILE* file, Header& header) {
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_init_io(reader.png, file);
    png_set_sig_bytes(reader.png, 8);
    png_read_info(reader.png, reader.info);
    header.width = png_get_image_width(reader.png, reader.info);
    header.height = png_get_image_height(reader.png, reader.info);
    header.bit_depth = png_get_bit_depth(reader.png, reader.info);
    header.color_type = png_get_color_type(reader.png, reader.info);
    header.transparency = png_get_valid(reader.png, reader.info, PNG_INFO_tRNS) != 0;
    return true;
}

// Every format expanded to 8-bit RGBA, alpha last (opaque where the file has
// none); false on a libpng error.
bool ReadRgba(Reader& reader, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_set_expand(reader.png);
    png_set_scale_16(reader.png);
    png_set_gray_to_rgb(reader.png);
    png_set_add_alpha(reader.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(reader.png);
    png_read_update_info(reader.png, reader.info);
    if (png_get_rowbytes(reader.png, reader.info) !=
        static_cast<size_t>(png_get_image_width(reader.png, reader.info)) * 4)
        return false;
    png_read_image(reader.png, rows.data());
    return true;
}

void SetError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
}

// Opens path and reads its header; false with *error when it is no PNG.
bool Open(const std::string& path, std::unique_ptr<FILE, FileCloser>& file, Reader& reader,
          Header& header, std::string* error) {
    file.reset(std::fopen(path.c_str(), "rb"));
    if (!file) {
        SetError(error, "cannot be opened for reading");
        return false;
    }
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        SetError(error, "is not a PNG file");
        return false;
    }
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, SilentWarning);
    reader.info = reader.png ? png_create_info_struct(reader.png) : nullptr;
    if (!reader.info || !ReadInfo(reader, file.get(), header)) {
        SetError(error, "has a damaged PNG header");
        return false;
    }
    return true;
}

std::string DescribeHeader(const Header& header) {
    std::string kind;
    switch (header.color_type) {
    case PNG_COLOR_TYPE_GRAY:
        kind = "grey";
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        kind = "grey with alpha";
        break;
    case PNG_COLOR_TYPE_PALETTE:
        kind = "palette";
        break;
    case PNG_COLOR_TYPE_RGB:
        kind = "RGB";
        break;
    case PNG_COLOR_TYPE_RGBA:
        kind = "RGBA";
        break;
    default:
        kind = "colour type " + std::to_string(header.color_type);
        break;
    }
    std::string text = std::to_string(header.bit_depth) + "-bit " + kind;
    if (header.transparency)
        text += " with a transparent colour";
    return text;
}

} // namespace

bool tr_PngConverter::Describe(const std::string& path, std::string& description,
                               std::string* error) {
    std::unique_ptr<FILE, FileCloser> file;
    Reader reader;
    Header header;
    if (!Open(path, file, reader, header, error))
        return false;
    description = DescribeHeader(header);
    return true;
}

bool tr_PngConverter::ReadRgba8(const std::string& path, int& width, int& height,
                                std::vector<uint8_t>& rgba, std::string* error) {
    std::unique_ptr<FILE, FileCloser> file;
    Reader reader;
    Header header;
    if (!Open(path, file, reader, header, error))
        return false;
    if (!tr_DecodedImage::WithinBudget(header.width, header.height)) {
        SetError(error, "is larger than a texture may be");
        return false;
    }
    rgba.assign(static_cast<size_t>(header.width) * header.height * 4, 0);
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = rgba.data() + static_cast<size_t>(y) * header.width * 4;
    if (!ReadRgba(reader, rows)) {
        SetError(error, "has damaged pixel data");
        return false;
    }
    width = static_cast<int>(header.width);
    height = static_cast<int>(header.height);
    return true;
}

bool tr_PngConverter::ConvertToRgba8(const std::string& path, std::string* error) {
    std::string format;
    if (!Describe(path, format, error))
        return false;
    if (format == AcceptedFormat())
        return true;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    if (!ReadRgba8(path, width, height, rgba, error))
        return false;
    std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < argb.size(); ++i) {
        const uint8_t* p = &rgba[i * 4];
        argb[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
    const std::string temporary = path + ".converting";
    if (!tr_PngWriter::Write(temporary, argb.data(), width, height)) {
        std::remove(temporary.c_str());
        SetError(error, "could not be written");
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        SetError(error, "could not be replaced");
        return false;
    }
    return true;
}
