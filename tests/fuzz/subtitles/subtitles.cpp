// Subtitle tracks: parsing, then playing the track through its whole length.
#include "engine/resources/media/tr_SubtitleTrack.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_SubtitleTrack track;
    int shown = 0;
    track.SetAnnouncer([&shown](bool show, const std::string&) { shown += show ? 1 : -1; });
    track.Parse(std::string(reinterpret_cast<const char*>(data), size));
    for (double t = 0; t < 30; t += 0.7)
        track.Update(t);
    track.Reset();
    return 0;
}
