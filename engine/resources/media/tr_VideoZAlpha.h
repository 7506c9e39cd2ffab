// tr_VideoZAlpha: reader of a ".zalpha" file, the alpha planes of a video.
// One record per frame: a 32-bit little-endian length L, then L bytes of a
// zlib stream that inflates to exactly width x height bytes (rows top to
// bottom). Records are validated before anything is allocated or read: a
// length past the end of the file or beyond what deflate could produce for one
// plane, or a stream that fails or inflates to another size, ends the video.
// Owned by tr_VideoPlayer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class tr_VideoZAlpha {
public:
    tr_VideoZAlpha() = default;
    ~tr_VideoZAlpha();
    tr_VideoZAlpha(const tr_VideoZAlpha&) = delete;
    tr_VideoZAlpha& operator=(const tr_VideoZAlpha&) = delete;

    // Opens a content path for planes of width x height.
    bool Open(const std::string& path, int width, int height);
    void Close();
    void Rewind();

    // Inflates the next record into plane (width x height bytes).
    bool ReadFrame(uint8_t* plane);
    // Steps over the next record using its length.
    bool SkipFrame();

private:
    // Reads and validates the next record's length.
    bool ReadLength(uint32_t* length);

    FILE* file = nullptr;
    long file_size = 0;
    long position = 0;
    size_t plane_size = 0;
    size_t max_record = 0;
    std::vector<uint8_t> compressed;
};
