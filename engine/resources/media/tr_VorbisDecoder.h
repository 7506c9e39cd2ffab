// tr_VorbisDecoder: one Ogg Vorbis stream decoded to float frames with
// libvorbisfile, from a file or from bytes in memory. Before any audio of a
// link is decoded, its headers pass tr_VorbisHeaderCheck and libvorbis must
// build its decoding tables: a file whose first link fails does not open,
// and a chained file ends where a link fails or changes format. Damaged audio
// pages are skipped a few at a time and end the stream when they keep coming,
// so a read never spins.
// Owned by one user at a time (the mixer's feeder thread, a test); not
// thread-safe. Memory opens borrow the bytes until the decoder is destroyed.
#pragma once

#include "engine/resources/media/tr_VorbisHeaderCheck.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class tr_VorbisDecoder {
public:
    tr_VorbisDecoder();
    ~tr_VorbisDecoder();
    tr_VorbisDecoder(const tr_VorbisDecoder&) = delete;
    tr_VorbisDecoder& operator=(const tr_VorbisDecoder&) = delete;

    // False, with Error() saying why, when the stream cannot be played: not
    // Vorbis, headers the decoder would trip over, or a sample rate or
    // channel count outside what the caller can convert.
    bool OpenFile(const char* path, int max_channels);
    bool OpenMemory(const unsigned char* data, size_t bytes, int max_channels);
    const std::string& Error() const { return error_; }

    int Channels() const { return channels_; }
    long Rate() const { return rate_; }

    // Decodes at most max_frames frames, interleaved, into out (resized to
    // what was decoded). Returns the frame count; 0 at the end of the stream
    // or at damage that cannot be skipped.
    long Read(std::vector<float>& out, int max_frames);
    // Back to the first frame; false when the stream cannot seek.
    bool Rewind();

private:
    class Source;
    struct Vorbis;
    bool Open(int max_channels);
    // Checks the headers of the link whose first page is at start; "" when fine.
    std::string CheckLink(int64_t start, int max_channels, tr_VorbisHeaderCheck::Format* format);
    void CutAtFirstBadLink(int max_channels);

    std::unique_ptr<Source> source_;
    std::unique_ptr<Vorbis> vorbis_;
    std::string error_;
    int channels_ = 0;
    long rate_ = 0;
    int holes_ = 0;
};
