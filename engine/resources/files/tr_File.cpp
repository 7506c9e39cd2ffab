#include "engine/resources/files/tr_File.h"

#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/files/tr_FileReader.h"

#include <climits>

namespace {

const char* ModeText(int mode) {
    static const char* const kModes[] = {"rb", "r", "wb", "w", "ab", "a"};
    return mode >= 0 && mode < 6 ? kModes[mode] : nullptr;
}

} // namespace

tr_File::tr_File(const std::string& name)
    : name_(name), full_path_(tr_FileManager::GetOrCreate()->UserPath(name)) {}

tr_File::~tr_File() {
    Close();
}

bool tr_File::Open(int mode) {
    Close();
    const char* mode_text = ModeText(mode);
    if (mode_text == nullptr || full_path_.empty()) {
        return false;
    }
    stream_ = tr_FileReader::Open(full_path_, mode_text);
    if (stream_ == nullptr) {
        return false;
    }
    long size = -1;
    if (std::fseek(stream_, 0, SEEK_END) == 0) {
        size = std::ftell(stream_);
    }
    if (size < 0 || size > INT_MAX || std::fseek(stream_, 0, SEEK_SET) != 0) {
        Close();
        return false;
    }
    size_ = static_cast<int>(size);
    return true;
}

void tr_File::Close() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

int tr_File::Read(void* buffer, int n) {
    if (stream_ == nullptr || n < 0 || (n > 0 && buffer == nullptr)) {
        return 0;
    }
    if (n == 0) {
        return 0;
    }
    return std::fread(buffer, static_cast<size_t>(n), 1, stream_) == 1 ? n : 0;
}

int tr_File::Write(const void* buffer, int n) {
    if (stream_ == nullptr || n <= 0 || buffer == nullptr) {
        return 0;
    }
    if (std::fwrite(buffer, static_cast<size_t>(n), 1, stream_) != 1) {
        return 0;
    }
    // Report a full disk here rather than losing the block silently at Close.
    return std::fflush(stream_) == 0 ? n : 0;
}

bool tr_File::Delete() {
    return !full_path_.empty() && std::remove(full_path_.c_str()) == 0;
}
