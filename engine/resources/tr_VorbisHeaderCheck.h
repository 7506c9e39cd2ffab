// tr_VorbisHeaderCheck: reads the identification and setup headers of one
// Vorbis stream before libvorbis decodes it, and refuses what the decoder
// would trip over. libvorbis 1.3.7 accepts setup headers whose values later
// divide by zero or loop without end while decoding audio (a codebook of
// dimension 0 used by a residue or a floor, a residue book without values),
// so the check walks every codebook, floor, residue, mapping and mode with
// the decoder's own rules plus those. It also refuses sample rates and
// channel counts the mixer cannot convert at a bounded cost.
// Stateless; each call looks only at the packet it is given.
#pragma once

#include <cstddef>
#include <string>

class tr_VorbisHeaderCheck {
public:
    static const long kMinRate = 8000;
    static const long kMaxRate = 192000;

    struct Format {
        int channels = 0;
        long rate = 0;
    };

    // The first header packet. Fills format; returns "" when the stream is
    // acceptable, otherwise the reason in a few words.
    static std::string CheckIdentification(const unsigned char* packet, size_t bytes,
                                           int max_channels, Format* format);
    // The third header packet of a stream with that many channels.
    static std::string CheckSetup(const unsigned char* packet, size_t bytes, int channels);
};
