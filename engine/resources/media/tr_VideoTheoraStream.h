// tr_VideoTheoraStream: one Ogg Theora video stream read from a file, frame by
// frame. The first Theora stream of the file is decoded; other streams (audio)
// are skipped. Damaged input ends the stream (NextFrame returns false); it is
// never read past. Owned by tr_VideoPlayer.
#pragma once

#include <theora/theoradec.h>

#include <cstdio>
#include <string>
#include <vector>

class tr_VideoTheoraStream {
public:
    tr_VideoTheoraStream();
    ~tr_VideoTheoraStream();
    tr_VideoTheoraStream(const tr_VideoTheoraStream&) = delete;
    tr_VideoTheoraStream& operator=(const tr_VideoTheoraStream&) = delete;

    // Opens a content path and reads the stream headers. False (with the
    // reason in GetError) for files that are missing, not Theora, or whose
    // size, pixel format or frame rate cannot be played.
    bool Open(const std::string& path);
    void Close();
    // Back to the first frame.
    bool Rewind();

    // Decodes the next frame. Frames that are only skipped are decoded but not
    // copied out (Theora frames depend on their predecessors).
    bool NextFrame(bool output);
    // The planes of the last frame decoded with output.
    const th_ycbcr_buffer& GetPlanes() const { return planes; }

    const th_info& GetInfo() const { return info; }
    const std::string& GetError() const { return error; }

private:
    bool ReadHeaders();
    bool ReadPage(ogg_page* page);
    bool NextPacket(ogg_packet* packet);
    void ResetState();

    std::string path;
    FILE* file = nullptr;
    ogg_sync_state sync;
    ogg_stream_state stream;
    bool stream_ready = false;
    int serial = 0;
    th_info info;
    th_comment comment;
    th_setup_info* setup = nullptr;
    th_dec_ctx* decoder = nullptr;
    // The first picture packet, met while reading the headers.
    std::vector<unsigned char> pending;
    bool has_pending = false;
    bool pending_eos = false;
    ogg_int64_t pending_granule = -1;
    th_ycbcr_buffer planes;
    std::string error;
};
