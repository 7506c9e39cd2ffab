#include "engine/resources/media/tr_VorbisDecoder.h"

#include "engine/resources/files/tr_FileReader.h"
#include "engine/resources/media/tr_VorbisHeaderCheck.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// A stream's first page must start this close to its link's start, as
// libvorbisfile requires, so garbage is refused without reading all of it.
const int64_t kMaxLeadingJunk = 64 * 1024;
// Three header packets larger than this are not a sound (the comment header
// may carry cover art, hence the room).
const int64_t kMaxHeaderBytes = 8 * 1024 * 1024;
const long kReadChunk = 4096;
// Holes in a damaged file are skipped; this many in a row end the stream.
const int kMaxHoles = 64;

// libvorbis builds a link's decoding tables on its first decode and, when that
// fails (codeword lengths that form no prefix code, for one), keeps the half-
// built tables: libvorbisfile's seek ignores the failure and decodes with them,
// dividing by zero. Building them here first, and refusing the link when that
// fails, means libvorbisfile only ever decodes links whose tables are whole.
bool CanBuildDecoder(vorbis_info* info) {
    vorbis_dsp_state state;
    if (!info || vorbis_synthesis_init(&state, info) != 0) {
        return false;
    }
    vorbis_dsp_clear(&state);
    return true;
}

bool IsHeader(const ogg_packet& packet, unsigned char type) {
    return packet.bytes >= 7 && packet.packet[0] == type &&
           std::memcmp(packet.packet + 1, "vorbis", 6) == 0;
}

} // namespace

// The bytes libvorbisfile reads, from a file or from memory, with an end the
// decoder may move closer to cut a chained file at a bad link.
class tr_VorbisDecoder::Source {
public:
    Source(FILE* file, int64_t size) : file_(file), end_(size) {}
    Source(const unsigned char* data, size_t bytes)
        : data_(data), end_(static_cast<int64_t>(bytes)) {}
    ~Source() {
        if (file_) {
            std::fclose(file_);
        }
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    size_t Read(void* into, size_t bytes) {
        const int64_t left = std::max<int64_t>(0, end_ - at_);
        const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(bytes), left));
        if (n == 0) {
            return 0;
        }
        size_t got = 0;
        if (data_) {
            std::memcpy(into, data_ + at_, n);
            got = n;
        } else if (file_at_ == at_ || fseeko(file_, static_cast<off_t>(at_), SEEK_SET) == 0) {
            got = std::fread(into, 1, n, file_);
            file_at_ = at_ + static_cast<int64_t>(got);
        }
        at_ += static_cast<int64_t>(got);
        return got;
    }
    bool Seek(int64_t offset, int whence) {
        const int64_t base = whence == SEEK_CUR ? at_ : whence == SEEK_END ? end_ : 0;
        if (offset > end_ - base || base + offset < 0) {
            return false;
        }
        at_ = base + offset;
        return true;
    }
    int64_t Tell() const { return at_; }
    // Nothing at or after end is readable any more.
    void CutAt(int64_t end) { end_ = std::min(end_, end); }

    static size_t ReadFunc(void* into, size_t size, size_t count, void* self) {
        if (size == 0) {
            return 0;
        }
        return static_cast<Source*>(self)->Read(into, size * count) / size;
    }
    static int SeekFunc(void* self, ogg_int64_t offset, int whence) {
        return static_cast<Source*>(self)->Seek(offset, whence) ? 0 : -1;
    }
    static long TellFunc(void* self) {
        return static_cast<long>(static_cast<Source*>(self)->Tell());
    }

private:
    FILE* file_ = nullptr;
    const unsigned char* data_ = nullptr;
    int64_t end_ = 0;
    int64_t at_ = 0;
    int64_t file_at_ = 0;
};

struct tr_VorbisDecoder::Vorbis {
    ~Vorbis() {
        if (open) {
            ov_clear(&file);
        }
    }
    OggVorbis_File file;
    bool open = false;
};

tr_VorbisDecoder::tr_VorbisDecoder() = default;
tr_VorbisDecoder::~tr_VorbisDecoder() {
    // libvorbisfile may still read through the source while it clears.
    vorbis_.reset();
}

bool tr_VorbisDecoder::OpenFile(const char* path, int max_channels) {
    FILE* file = path ? tr_FileReader::Open(path, "rb") : nullptr;
    if (!file) {
        error_ = "cannot be opened";
        return false;
    }
    int64_t size = -1;
    if (fseeko(file, 0, SEEK_END) == 0) {
        size = ftello(file);
    }
    if (size < 0 || fseeko(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        error_ = "cannot be read";
        return false;
    }
    source_ = std::make_unique<Source>(file, size);
    return Open(max_channels);
}

bool tr_VorbisDecoder::OpenMemory(const unsigned char* data, size_t bytes, int max_channels) {
    source_ = std::make_unique<Source>(data, bytes);
    return Open(max_channels);
}

bool tr_VorbisDecoder::Open(int max_channels) {
    tr_VorbisHeaderCheck::Format format;
    error_ = CheckLink(0, max_channels, &format);
    if (!error_.empty()) {
        return false;
    }
    source_->Seek(0, SEEK_SET);
    vorbis_ = std::make_unique<Vorbis>();
    const ov_callbacks callbacks = {&Source::ReadFunc, &Source::SeekFunc, nullptr,
                                    &Source::TellFunc};
    // On failure libvorbisfile clears the handle itself.
    if (ov_open_callbacks(source_.get(), &vorbis_->file, nullptr, 0, callbacks) != 0) {
        error_ = "not a readable Ogg Vorbis stream";
        vorbis_.reset();
        return false;
    }
    vorbis_->open = true;
    vorbis_info* info = ov_info(&vorbis_->file, 0);
    // libvorbisfile must have picked the stream that was checked.
    if (!info || info->channels != format.channels || info->rate != format.rate) {
        error_ = "not a readable Ogg Vorbis stream";
        vorbis_.reset();
        return false;
    }
    if (!CanBuildDecoder(info)) {
        error_ = "codebooks the decoder cannot build";
        vorbis_.reset();
        return false;
    }
    channels_ = format.channels;
    rate_ = format.rate;
    CutAtFirstBadLink(max_channels);
    // After opening a chained file libvorbisfile stands at the last link.
    Rewind();
    return true;
}

std::string tr_VorbisDecoder::CheckLink(int64_t start, int max_channels,
                                        tr_VorbisHeaderCheck::Format* format) {
    if (!source_->Seek(start, SEEK_SET)) {
        return "cut off";
    }
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    ogg_stream_state stream;
    bool chosen = false;
    bool any_page = false;
    int packets = 0;
    int64_t read = 0;
    std::string fault;
    while (fault.empty() && packets < 3) {
        ogg_page page;
        const int paged = ogg_sync_pageout(&sync, &page);
        if (paged < 0) {
            continue; // bytes skipped to the next page
        }
        if (paged == 0) {
            if (read >= (any_page ? kMaxHeaderBytes : kMaxLeadingJunk)) {
                fault = any_page ? "headers too large" : "not an Ogg stream";
                break;
            }
            char* buffer = ogg_sync_buffer(&sync, kReadChunk);
            const size_t got = buffer ? source_->Read(buffer, kReadChunk) : 0;
            if (got == 0) {
                fault = any_page ? "headers cut off" : "not an Ogg stream";
                break;
            }
            ogg_sync_wrote(&sync, static_cast<long>(got));
            read += static_cast<int64_t>(got);
            continue;
        }
        any_page = true;
        if (!chosen) {
            // A link opens with the first pages of all its streams; the
            // first of them that is Vorbis is the sound.
            if (!ogg_page_bos(&page)) {
                fault = "not a Vorbis stream";
                break;
            }
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            ogg_stream_pagein(&stream, &page);
            ogg_packet first;
            if (ogg_stream_packetout(&stream, &first) != 1 || !IsHeader(first, 1)) {
                ogg_stream_clear(&stream);
                continue;
            }
            chosen = true;
            packets = 1;
            fault = tr_VorbisHeaderCheck::CheckIdentification(
                first.packet, static_cast<size_t>(first.bytes), max_channels, format);
        } else if (ogg_page_serialno(&page) == stream.serialno) {
            ogg_stream_pagein(&stream, &page);
        }
        ogg_packet packet;
        int out = 0;
        while (chosen && fault.empty() && packets < 3 &&
               (out = ogg_stream_packetout(&stream, &packet)) != 0) {
            ++packets;
            if (out < 0) {
                fault = "headers damaged";
            } else if (packets == 2 && !IsHeader(packet, 3)) {
                fault = "comment header missing";
            } else if (packets == 3) {
                fault = IsHeader(packet, 5)
                            ? tr_VorbisHeaderCheck::CheckSetup(packet.packet,
                                                               static_cast<size_t>(packet.bytes),
                                                               format->channels)
                            : "setup header missing";
            }
        }
    }
    if (chosen) {
        ogg_stream_clear(&stream);
    }
    ogg_sync_clear(&sync);
    return fault;
}

void tr_VorbisDecoder::CutAtFirstBadLink(int max_channels) {
    OggVorbis_File& file = vorbis_->file;
    const long links = ov_streams(&file);
    if (links < 2 || !file.offsets) {
        return;
    }
    // libvorbisfile reads on from where it stopped, so the checks must not
    // move it.
    const int64_t resume = source_->Tell();
    for (long i = 1; i < links; ++i) {
        const int64_t start = file.offsets[i];
        tr_VorbisHeaderCheck::Format format;
        const std::string fault = CheckLink(start, max_channels, &format);
        if (!fault.empty() || format.channels != channels_ || format.rate != rate_ ||
            !CanBuildDecoder(ov_info(&file, static_cast<int>(i)))) {
            source_->CutAt(start);
            break;
        }
    }
    source_->Seek(resume, SEEK_SET);
}

long tr_VorbisDecoder::Read(std::vector<float>& out, int max_frames) {
    out.clear();
    if (!vorbis_ || max_frames <= 0) {
        return 0;
    }
    for (;;) {
        float** pcm = nullptr;
        int link = 0;
        const long got = ov_read_float(&vorbis_->file, &pcm, max_frames, &link);
        if (got == OV_HOLE && ++holes_ < kMaxHoles) {
            continue;
        }
        if (got <= 0) {
            return 0;
        }
        holes_ = 0;
        out.resize(static_cast<size_t>(got) * channels_);
        for (long i = 0; i < got; ++i) {
            for (int c = 0; c < channels_; ++c) {
                out[static_cast<size_t>(i) * channels_ + c] = pcm[c][i];
            }
        }
        return got;
    }
}

bool tr_VorbisDecoder::Rewind() {
    holes_ = 0;
    return vorbis_ && ov_pcm_seek(&vorbis_->file, 0) == 0;
}
