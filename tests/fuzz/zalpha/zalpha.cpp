// Alpha planes of videos (.zalpha): the first two bytes choose the frame
// size the video would give, the rest is the file; every frame is read.
#include "../FuzzSupport.h"

#include "engine/resources/media/tr_VideoZAlpha.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int width = 1 + data[0] % 64;
    const int height = 1 + data[1] % 64;
    const std::string path = FuzzFiles::Write("clip.zalpha", data + 2, size - 2);
    tr_VideoZAlpha alpha;
    if (!alpha.Open(path, width, height))
        return 0;
    std::vector<uint8_t> plane(static_cast<size_t>(width) * height);
    for (int frame = 0; frame < 16 && alpha.ReadFrame(plane.data()); ++frame) {
    }
    alpha.Rewind();
    alpha.SkipFrame();
    return 0;
}
