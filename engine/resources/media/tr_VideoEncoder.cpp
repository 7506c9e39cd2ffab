#include "engine/resources/media/tr_VideoEncoder.h"

#include <theora/theoraenc.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

ogg_stream_state* Stream(void* p) {
    return static_cast<ogg_stream_state*>(p);
}

uint8_t Clamp(int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

} // namespace

tr_VideoEncoder::~tr_VideoEncoder() {
    Release();
}

void tr_VideoEncoder::Release() {
    if (encoder) {
        th_encode_free(encoder);
        encoder = nullptr;
    }
    if (ogg_stream) {
        ogg_stream_clear(Stream(ogg_stream));
        delete Stream(ogg_stream);
        ogg_stream = nullptr;
    }
    if (video_file) {
        std::fclose(video_file);
        video_file = nullptr;
    }
    if (alpha_file) {
        std::fclose(alpha_file);
        alpha_file = nullptr;
    }
    has_pending = false;
}

bool tr_VideoEncoder::Fail(const std::string& message) {
    error = message;
    Release();
    return false;
}

void tr_VideoEncoder::RemoveOutput() {
    Release();
    for (const std::string& path : created_files) {
        std::remove(path.c_str());
    }
    created_files.clear();
}

bool tr_VideoEncoder::Begin(const std::string& base, int w, int h, const Options& options) {
    Release();
    created_files.clear();
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192 || options.fps_numerator <= 0 ||
        options.fps_denominator <= 0) {
        return Fail("bad picture size or frame rate");
    }
    width = w;
    height = h;
    frame_width = (w + 15) & ~15;
    frame_height = (h + 15) & ~15;

    th_info info;
    th_info_init(&info);
    info.frame_width = static_cast<ogg_uint32_t>(frame_width);
    info.frame_height = static_cast<ogg_uint32_t>(frame_height);
    info.pic_width = static_cast<ogg_uint32_t>(w);
    info.pic_height = static_cast<ogg_uint32_t>(h);
    info.pic_x = 0;
    info.pic_y = 0;
    info.fps_numerator = static_cast<ogg_uint32_t>(options.fps_numerator);
    info.fps_denominator = static_cast<ogg_uint32_t>(options.fps_denominator);
    info.aspect_numerator = 1;
    info.aspect_denominator = 1;
    info.colorspace = TH_CS_UNSPECIFIED;
    info.pixel_fmt = TH_PF_420;
    info.target_bitrate = 0;
    info.quality = std::clamp(options.quality, 0, 63);
    info.keyframe_granule_shift = 6;
    encoder = th_encode_alloc(&info);
    th_info_clear(&info);
    if (!encoder) {
        return Fail("the Theora encoder refused the settings");
    }
    ogg_uint32_t interval = static_cast<ogg_uint32_t>(std::max(1, options.keyframe_interval));
    th_encode_ctl(encoder, TH_ENCCTL_SET_KEYFRAME_FREQUENCY_FORCE, &interval, sizeof(interval));

    video_file = std::fopen((base + ".ogg").c_str(), "wb");
    if (!video_file) {
        return Fail("cannot write " + base + ".ogg");
    }
    created_files.push_back(base + ".ogg");
    if (options.write_alpha) {
        alpha_file = std::fopen((base + ".zalpha").c_str(), "wb");
        if (!alpha_file) {
            return Fail("cannot write " + base + ".zalpha");
        }
        created_files.push_back(base + ".zalpha");
    }
    ogg_stream = new ogg_stream_state;
    ogg_stream_init(Stream(ogg_stream), 0x7a4c1a);

    th_comment comment;
    th_comment_init(&comment);
    ogg_packet packet;
    bool first = true;
    int result;
    while ((result = th_encode_flushheader(encoder, &comment, &packet)) > 0) {
        ogg_stream_packetin(Stream(ogg_stream), &packet);
        // The identification header must sit alone on the first page.
        if (first && !WritePages(true)) {
            th_comment_clear(&comment);
            return false;
        }
        first = false;
    }
    th_comment_clear(&comment);
    if (result < 0 || !WritePages(true)) {
        return Fail("cannot write the Theora headers");
    }

    luma.assign(static_cast<size_t>(frame_width) * frame_height, 16);
    cb.assign(static_cast<size_t>(frame_width / 2) * (frame_height / 2), 128);
    cr.assign(cb.size(), 128);
    alpha.assign(static_cast<size_t>(w) * h, 255);
    return true;
}

bool tr_VideoEncoder::WritePages(bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(Stream(ogg_stream), &page)
                 : ogg_stream_pageout(Stream(ogg_stream), &page)) {
        if (std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), video_file) !=
                static_cast<size_t>(page.header_len) ||
            std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), video_file) !=
                static_cast<size_t>(page.body_len)) {
            return Fail("cannot write the video file");
        }
    }
    return true;
}

bool tr_VideoEncoder::AddFrame(const uint8_t* rgba, int stride) {
    if (!encoder) {
        return false;
    }
    if (has_pending && !EncodePending(false)) {
        return false;
    }
    // BT.601 studio range; the padding outside the picture repeats its edge.
    for (int y = 0; y < frame_height; ++y) {
        const uint8_t* row = rgba + static_cast<ptrdiff_t>(std::min(y, height - 1)) * stride;
        for (int x = 0; x < frame_width; ++x) {
            const uint8_t* p = row + std::min(x, width - 1) * 4;
            luma[static_cast<size_t>(y) * frame_width + x] =
                Clamp(((66 * p[0] + 129 * p[1] + 25 * p[2] + 128) >> 8) + 16);
        }
    }
    const int chroma_width = frame_width / 2;
    for (int y = 0; y < frame_height / 2; ++y) {
        for (int x = 0; x < chroma_width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < 2; ++dy) {
                const int sy = std::min(2 * y + dy, height - 1);
                for (int dx = 0; dx < 2; ++dx) {
                    const int sx = std::min(2 * x + dx, width - 1);
                    const uint8_t* p = rgba + static_cast<ptrdiff_t>(sy) * stride + sx * 4;
                    r += p[0];
                    g += p[1];
                    b += p[2];
                }
            }
            r = (r + 2) / 4;
            g = (g + 2) / 4;
            b = (b + 2) / 4;
            const size_t at = static_cast<size_t>(y) * chroma_width + x;
            cb[at] = Clamp(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
            cr[at] = Clamp(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            alpha[static_cast<size_t>(y) * width + x] =
                rgba[static_cast<ptrdiff_t>(y) * stride + x * 4 + 3];
        }
    }
    if (alpha_file) {
        uLongf size = compressBound(static_cast<uLong>(alpha.size()));
        compressed.resize(size);
        if (compress2(compressed.data(), &size, alpha.data(), static_cast<uLong>(alpha.size()),
                      9) != Z_OK) {
            return Fail("cannot compress an alpha plane");
        }
        const uint8_t length[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                                   static_cast<uint8_t>(size >> 16),
                                   static_cast<uint8_t>(size >> 24)};
        if (std::fwrite(length, 1, 4, alpha_file) != 4 ||
            std::fwrite(compressed.data(), 1, size, alpha_file) != size) {
            return Fail("cannot write the alpha file");
        }
    }
    has_pending = true;
    return true;
}

bool tr_VideoEncoder::EncodePending(bool last) {
    th_ycbcr_buffer buffer;
    buffer[0].width = frame_width;
    buffer[0].height = frame_height;
    buffer[0].stride = frame_width;
    buffer[0].data = luma.data();
    for (int plane = 1; plane < 3; ++plane) {
        buffer[plane].width = frame_width / 2;
        buffer[plane].height = frame_height / 2;
        buffer[plane].stride = frame_width / 2;
        buffer[plane].data = plane == 1 ? cb.data() : cr.data();
    }
    if (th_encode_ycbcr_in(encoder, buffer) != 0) {
        return Fail("the encoder refused a frame");
    }
    has_pending = false;
    ogg_packet packet;
    while (th_encode_packetout(encoder, last ? 1 : 0, &packet) > 0) {
        ogg_stream_packetin(Stream(ogg_stream), &packet);
    }
    // One page per frame: small videos stay seekable and a cut file loses
    // only the frames after the cut.
    return WritePages(true);
}

bool tr_VideoEncoder::Finish() {
    if (!encoder) {
        return false;
    }
    if (has_pending && !EncodePending(true)) {
        return false;
    }
    const bool ok = WritePages(true);
    Release();
    if (ok) {
        created_files.clear(); // finished: no longer ours to remove
    }
    return ok;
}
