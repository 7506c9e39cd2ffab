#include "engine/render/tr_Screenshot.h"

#include "engine/core/tr_Log.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <vector>

bool tr_WriteScreenshot(tr_Render& render, const std::string& path) {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    if (!render.ReadFrame(pixels, width, height)) {
        tr_Log("Error: the frame could not be read back for %s", path.c_str());
        return false;
    }
    return tr_PngWriter::Write(path, pixels.data(), width, height);
}
