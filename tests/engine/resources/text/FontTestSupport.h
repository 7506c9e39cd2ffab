// Helpers for the font tests: the shipped font family, a scratch folder and
// whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

inline const std::string kFontBase = TARROW_SOURCE_DIR "/assets/fonts/dejavusans";

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system temporary folder, removed with its files.
class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/tarrow_text_XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made ? made : "/tmp";
    }
    ~ScratchDir() {
        const std::string command = "rm -rf '" + path + "'";
        if (path != "/tmp" && std::system(command.c_str()) != 0)
            ADD_FAILURE() << "could not remove " << path;
    }
    std::string path;
};
