// What the fuzz targets share: a private folder for the files their parsers
// read (most read by path, through the engine's file reader), removed when
// the process ends, and a quiet log. Include from one target source only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzFiles {
public:
    // Writes the input to name inside the folder; returns its full path.
    static std::string Write(const std::string& name, const uint8_t* data, size_t size) {
        const std::string path = Folder() + "/" + name;
        if (FILE* file = std::fopen(path.c_str(), "wb")) {
            if (size > 0)
                std::fwrite(data, 1, size, file);
            std::fclose(file);
        }
        return path;
    }
    static const std::string& Folder() {
        static const Owner owner;
        return owner.path;
    }

private:
    struct Owner {
        Owner() {
            char pattern[] = "/tmp/tarrow_fuzz_XXXXXX";
            const char* made = mkdtemp(pattern);
            path = made ? made : "/tmp";
        }
        ~Owner() {
            if (path != "/tmp")
                std::system(("rm -rf '" + path + "'").c_str());
        }
        std::string path;
    };
};
