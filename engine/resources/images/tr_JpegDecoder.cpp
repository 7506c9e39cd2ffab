#include "engine/resources/images/tr_JpegDecoder.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->jump, 1);
}

void OnJpegMessage(j_common_ptr) {}

// A file that ends early is an error here, not a grey lower half.
void OnJpegEmit(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        OnJpegError(info);
}

enum class Result { kOk, kLibraryError, kNotRgb, kOverBudget };

// All libjpeg calls run here; nothing with a destructor lives in this frame,
// so the error longjmp skips nothing. pixels is sized by the caller's
// callback after the header is known.
Result DecodeStream(FILE* file, tr_DecodedImage::Pixels& pixels, int& width, int& height) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.output_message = OnJpegMessage;
    errors.base.emit_message = OnJpegEmit;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return Result::kLibraryError;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // Weighed before decompression starts: a progressive file would allocate
    // its whole coefficient buffer there.
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    if (!tr_DecodedImage::WithinBudget(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return Result::kOverBudget;
    }
    // libjpeg-turbo's colour converter writes the device order (blue, green,
    // red, alpha 255) itself, so rows land where they belong in one pass.
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    if (info.output_components != 4) {
        jpeg_destroy_decompress(&info);
        return Result::kNotRgb;
    }
    if (!tr_DecodedImage::WithinBudget(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return Result::kLibraryError;
    }
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    pixels.resize(static_cast<size_t>(width) * height * 4);
    const size_t row_bytes = static_cast<size_t>(width) * 4;
    // Several rows per call: asked for one row at a time, the library
    // upsamples each row pair into a spare buffer and copies it out.
    const JDIMENSION kRowsPerRead = 16;
    JSAMPROW rows[kRowsPerRead];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION first = info.output_scanline;
        const JDIMENSION count = std::min(kRowsPerRead, info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = pixels.data() + (first + i) * row_bytes;
        if (jpeg_read_scanlines(&info, rows, count) == 0) {
            jpeg_destroy_decompress(&info);
            return Result::kLibraryError;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return Result::kOk;
}

} // namespace

bool tr_JpegDecoder::Decode(const std::string& path, tr_DecodedImage& image) {
    image = tr_DecodedImage();
    std::unique_ptr<FILE, FileCloser> file(tr_ContentPath::Open(path));
    if (!file) {
        tr_Log("Error: File %s could not be opened for reading", path.c_str());
        return false;
    }
    tr_DecodedImage::Pixels pixels;
    int width = 0;
    int height = 0;
    const Result result = DecodeStream(file.get(), pixels, width, height);
    if (result == Result::kOverBudget) {
        tr_Log("Error: image %s claims %d x %d pixels, more than a texture may hold", path.c_str(),
               width, height);
        return false;
    }
    if (result == Result::kNotRgb) {
        tr_Log("Error: JPEG image is not 24 bit format. File %s", path.c_str());
        return false;
    }
    if (result != Result::kOk) {
        tr_Log("Error: JPEG code has signaled an error. File %s", path.c_str());
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.swap(pixels);
    return true;
}
