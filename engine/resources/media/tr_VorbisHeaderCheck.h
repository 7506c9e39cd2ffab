// tr_VorbisHeaderCheck: reads the identification and setup headers of one
// Vorbis stream before libvorbis sees them and refuses what is malformed:
// every codebook, floor, residue, mapping and mode is walked with the
// decoder's own rules, plus one it lacks (a vector codebook of dimension 0,
// whose value count libvorbis takes as a root of degree 0 and whose residue
// decoding divides by zero). It also refuses sample rates and channel counts
// the mixer cannot convert at a bounded cost. Codeword lengths are left to
// tr_VorbisDecoder, which has libvorbis build the tables and checks the result.
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
