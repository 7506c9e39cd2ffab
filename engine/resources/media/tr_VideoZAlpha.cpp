#include "engine/resources/media/tr_VideoZAlpha.h"

#include "engine/resources/files/tr_ContentPath.h"

#include <zlib.h>

tr_VideoZAlpha::~tr_VideoZAlpha() {
    Close();
}

bool tr_VideoZAlpha::Open(const std::string& path, int width, int height) {
    Close();
    if (width <= 0 || height <= 0) {
        return false;
    }
    file = tr_ContentPath::Open(path, "rb");
    if (!file) {
        return false;
    }
    if (std::fseek(file, 0, SEEK_END) != 0 || (file_size = std::ftell(file)) < 0 ||
        std::fseek(file, 0, SEEK_SET) != 0) {
        Close();
        return false;
    }
    position = 0;
    plane_size = static_cast<size_t>(width) * static_cast<size_t>(height);
    max_record = compressBound(static_cast<uLong>(plane_size));
    return true;
}

void tr_VideoZAlpha::Close() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    compressed.clear();
    compressed.shrink_to_fit();
}

void tr_VideoZAlpha::Rewind() {
    if (file && std::fseek(file, 0, SEEK_SET) == 0) {
        position = 0;
    }
}

bool tr_VideoZAlpha::ReadLength(uint32_t* length) {
    if (!file || file_size - position < 4) {
        return false;
    }
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4) {
        return false;
    }
    position += 4;
    *length = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
              (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return *length > 0 && *length <= max_record &&
           static_cast<long>(*length) <= file_size - position;
}

bool tr_VideoZAlpha::ReadFrame(uint8_t* plane) {
    uint32_t length = 0;
    if (!ReadLength(&length)) {
        return false;
    }
    compressed.resize(length);
    if (std::fread(compressed.data(), 1, length, file) != length) {
        return false;
    }
    position += static_cast<long>(length);
    uLongf produced = static_cast<uLongf>(plane_size);
    return uncompress(plane, &produced, compressed.data(), length) == Z_OK &&
           produced == plane_size;
}

bool tr_VideoZAlpha::SkipFrame() {
    uint32_t length = 0;
    if (!ReadLength(&length) || std::fseek(file, static_cast<long>(length), SEEK_CUR) != 0) {
        return false;
    }
    position += static_cast<long>(length);
    return true;
}
