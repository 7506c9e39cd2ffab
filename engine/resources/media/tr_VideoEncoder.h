// tr_VideoEncoder: writes a video the player reads: "<base>.ogg" (Ogg Theora,
// 4:2:0) and, when asked, "<base>.zalpha" with every frame's alpha plane.
// Content tooling rather than run-time code: tools/videopack, the tests and
// the benchmarks make their videos with it. Frames are RGBA, 8 bits a channel.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct th_enc_ctx;

class tr_VideoEncoder {
public:
    struct Options {
        int fps_numerator = 25;
        int fps_denominator = 1;
        int quality = 48; // Theora quality 0..63
        int keyframe_interval = 64;
        bool write_alpha = true;
    };

    tr_VideoEncoder() = default;
    ~tr_VideoEncoder();
    tr_VideoEncoder(const tr_VideoEncoder&) = delete;
    tr_VideoEncoder& operator=(const tr_VideoEncoder&) = delete;

    // base is a file path without extension.
    bool Begin(const std::string& base, int width, int height, const Options& options);
    // rgba: width x height pixels, rows stride bytes apart.
    bool AddFrame(const uint8_t* rgba, int stride);
    // Writes the last frame with the end-of-stream mark and closes the files.
    bool Finish();
    // After a failure: closes and deletes the files Begin created, so no
    // half-written video is left to be taken for a finished one.
    void RemoveOutput();
    const std::string& GetError() const { return error; }

private:
    bool EncodePending(bool last);
    bool WritePages(bool flush);
    bool Fail(const std::string& message);
    void Release();

    th_enc_ctx* encoder = nullptr;
    void* ogg_stream = nullptr; // ogg_stream_state, kept out of this header
    FILE* video_file = nullptr;
    FILE* alpha_file = nullptr;
    std::vector<std::string> created_files;
    int width = 0;
    int height = 0;
    int frame_width = 0;
    int frame_height = 0;
    bool has_pending = false;
    std::vector<uint8_t> luma;
    std::vector<uint8_t> cb;
    std::vector<uint8_t> cr;
    std::vector<uint8_t> alpha;
    std::vector<uint8_t> compressed;
    std::string error;
};
