#include "engine/resources/media/tr_VideoTheoraStream.h"

#include "engine/resources/files/tr_ContentPath.h"

#include <cstring>

namespace {

const int kReadChunk = 16384;
// Larger pictures are refused before the decoder allocates for them.
const ogg_uint32_t kMaxPictureSide = 8192;

} // namespace

tr_VideoTheoraStream::tr_VideoTheoraStream() {
    ogg_sync_init(&sync);
    th_info_init(&info);
    th_comment_init(&comment);
    std::memset(planes, 0, sizeof(planes));
}

tr_VideoTheoraStream::~tr_VideoTheoraStream() {
    Close();
    ogg_sync_clear(&sync);
    th_info_clear(&info);
    th_comment_clear(&comment);
}

void tr_VideoTheoraStream::ResetState() {
    if (decoder) {
        th_decode_free(decoder);
        decoder = nullptr;
    }
    if (setup) {
        th_setup_free(setup);
        setup = nullptr;
    }
    if (stream_ready) {
        ogg_stream_clear(&stream);
        stream_ready = false;
    }
    ogg_sync_reset(&sync);
    th_info_clear(&info);
    th_info_init(&info);
    th_comment_clear(&comment);
    th_comment_init(&comment);
    has_pending = false;
    pending.clear();
    std::memset(planes, 0, sizeof(planes));
}

void tr_VideoTheoraStream::Close() {
    ResetState();
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
}

bool tr_VideoTheoraStream::Open(const std::string& content_path) {
    Close();
    path = content_path;
    file = tr_ContentPath::Open(path, "rb");
    if (!file) {
        error = "cannot open the file";
        return false;
    }
    if (!ReadHeaders()) {
        Close();
        return false;
    }
    return true;
}

bool tr_VideoTheoraStream::Rewind() {
    if (!file) {
        return false;
    }
    ResetState();
    if (std::fseek(file, 0, SEEK_SET) != 0 || !ReadHeaders()) {
        Close();
        return false;
    }
    return true;
}

bool tr_VideoTheoraStream::ReadPage(ogg_page* page) {
    for (;;) {
        const int result = ogg_sync_pageout(&sync, page);
        if (result == 1) {
            return true;
        }
        // result -1 means bytes were skipped to find the next page: keep going.
        char* buffer = ogg_sync_buffer(&sync, kReadChunk);
        if (!buffer) {
            return false;
        }
        const size_t got = std::fread(buffer, 1, kReadChunk, file);
        if (got == 0) {
            return false;
        }
        ogg_sync_wrote(&sync, static_cast<long>(got));
    }
}

bool tr_VideoTheoraStream::NextPacket(ogg_packet* packet) {
    for (;;) {
        const int result = ogg_stream_packetout(&stream, packet);
        if (result == 1) {
            return true;
        }
        if (result < 0) {
            continue; // a gap in the data: the packets after it still decode
        }
        ogg_page page;
        if (!ReadPage(&page)) {
            return false;
        }
        if (ogg_page_serialno(&page) == serial) {
            ogg_stream_pagein(&stream, &page);
        }
    }
}

bool tr_VideoTheoraStream::ReadHeaders() {
    // Find the Theora stream among the beginning-of-stream pages.
    ogg_page page;
    while (!stream_ready) {
        if (!ReadPage(&page)) {
            error = "no Theora stream";
            return false;
        }
        if (!ogg_page_bos(&page)) {
            continue;
        }
        ogg_stream_state candidate;
        ogg_stream_init(&candidate, ogg_page_serialno(&page));
        ogg_stream_pagein(&candidate, &page);
        ogg_packet packet;
        if (ogg_stream_packetout(&candidate, &packet) == 1 &&
            th_decode_headerin(&info, &comment, &setup, &packet) > 0) {
            stream = candidate;
            stream_ready = true;
            serial = ogg_page_serialno(&page);
        } else {
            ogg_stream_clear(&candidate);
            th_info_clear(&info);
            th_info_init(&info);
        }
    }
    // The remaining headers, up to the first picture packet.
    for (;;) {
        ogg_packet packet;
        if (!NextPacket(&packet)) {
            error = "incomplete Theora headers";
            return false;
        }
        const int result = th_decode_headerin(&info, &comment, &setup, &packet);
        if (result > 0) {
            continue;
        }
        if (result < 0) {
            error = "bad Theora headers";
            return false;
        }
        pending.assign(packet.packet, packet.packet + packet.bytes);
        pending_eos = packet.e_o_s != 0;
        pending_granule = packet.granulepos;
        has_pending = true;
        break;
    }
    // The coded frame may be larger than the picture; both are bounded.
    if (info.pic_width == 0 || info.pic_height == 0 || info.frame_width > kMaxPictureSide + 16 ||
        info.frame_height > kMaxPictureSide + 16 || info.pic_width > kMaxPictureSide ||
        info.pic_height > kMaxPictureSide) {
        error = "unsupported picture size";
        return false;
    }
    if (info.pixel_fmt != TH_PF_420 && info.pixel_fmt != TH_PF_422 && info.pixel_fmt != TH_PF_444) {
        error = "unsupported pixel format";
        return false;
    }
    if (info.fps_numerator == 0 || info.fps_denominator == 0) {
        error = "invalid frame rate";
        return false;
    }
    decoder = th_decode_alloc(&info, setup);
    if (!decoder) {
        error = "decoder could not be created";
        return false;
    }
    return true;
}

bool tr_VideoTheoraStream::NextFrame(bool output) {
    if (!decoder) {
        return false;
    }
    ogg_packet packet;
    if (has_pending) {
        std::memset(&packet, 0, sizeof(packet));
        packet.packet = pending.data();
        packet.bytes = static_cast<long>(pending.size());
        packet.e_o_s = pending_eos ? 1 : 0;
        packet.granulepos = pending_granule;
        has_pending = false;
    } else if (!NextPacket(&packet)) {
        return false;
    }
    // A duplicate frame (empty packet) repeats the previous picture.
    const int result = th_decode_packetin(decoder, &packet, nullptr);
    if (result != 0 && result != TH_DUPFRAME) {
        return false;
    }
    if (output && th_decode_ycbcr_out(decoder, planes) != 0) {
        return false;
    }
    return true;
}
