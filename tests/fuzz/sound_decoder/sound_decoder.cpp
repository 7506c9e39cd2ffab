// Fuzz target for the sound decoder: whatever the bytes, opening, decoding and
// rewinding (what playing and looping a sound do) return instead of crashing,
// and a read never hands back more frames than it was asked for. Page
// checksums are made right first, as a damaged file made on purpose has them,
// so that mutations reach the headers instead of failing the checksum.
#include "engine/resources/media/tr_VorbisDecoder.h"
#include "tests/support/OggChecksums.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

const int kChunkFrames = 2048;
const int kMaxChannels = 8;
// Enough to cover every corpus file; a claimed length cannot make one input
// run for minutes.
const long kMaxFramesPerPass = 1L << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    test_support::FixOggChecksums(bytes.data(), bytes.size());
    tr_VorbisDecoder decoder;
    if (!decoder.OpenMemory(bytes.data(), bytes.size(), kMaxChannels)) {
        return 0;
    }
    if (decoder.Channels() < 1 || decoder.Channels() > kMaxChannels) {
        std::abort();
    }
    std::vector<float> frames;
    // Playing rewinds before the first read; looping rewinds at the end.
    for (int pass = 0; pass < 2; ++pass) {
        decoder.Rewind();
        long total = 0;
        long got = 0;
        while (total < kMaxFramesPerPass && (got = decoder.Read(frames, kChunkFrames)) > 0) {
            if (got > kChunkFrames ||
                frames.size() != static_cast<size_t>(got) * decoder.Channels()) {
                std::abort();
            }
            total += got;
        }
    }
    return 0;
}
