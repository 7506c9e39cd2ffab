#include "engine/objects/tr_FlashAnimData.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/resources/files/tr_ResourceXmlBuffer.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Colour, matrix and position values shared by the root state and the
// instances; each is read only when present.
void ReadPlacement(tr_SLHelper_TinyXML2& reader, tr_DrawState& state) {
    reader.ReadFloat("alp", state.alpha);
    reader.ReadFloat("m00", state.transform[0]);
    reader.ReadFloat("m10", state.transform[4]);
    reader.ReadFloat("m01", state.transform[1]);
    reader.ReadFloat("m11", state.transform[5]);
    reader.ReadFloat("pos_x", state.transform[12]);
    reader.ReadFloat("pos_y", state.transform[13]);
    reader.ReadFloat("color_r", state.red);
    reader.ReadFloat("color_g", state.green);
    reader.ReadFloat("color_b", state.blue);
}

} // namespace

void tr_FlashAnimData::Clear() {
    *this = tr_FlashAnimData();
}

bool tr_FlashAnimData::LoadFromBuffer(const char* data, size_t size, const std::string& folder,
                                      const std::string& name) {
    Clear();
    std::unique_ptr<tr_SLHelper_TinyXML2> reader = tr_ParseResourceXml(data, size);
    if (!reader)
        return false;
    Load(*reader, folder, name);
    return true;
}

void tr_FlashAnimData::Load(tr_SLHelper_TinyXML2& reader, const std::string& folder,
                            const std::string& name) {
    Clear();
    reader.ReadInt("loop", loop_);
    reader.ReadInt("loop_frame", loop_frame_);
    float fps = 0.0f;
    reader.ReadFloat("fps", fps);
    // A rate of 0 or less (or none) would give a frame that never ends.
    if (!(fps > 0.0f) || std::isinf(fps)) {
        tr_Log("Warning: flashanim \"%s\" has no usable fps; %g is used.", name.c_str(),
               static_cast<double>(kDefaultFps));
        fps = kDefaultFps;
    }
    frame_time_ = 1.0f / fps;
    ReadPlacement(reader, root_);
    if (reader.Enter("objects")) {
        tr_ForEachResourceElement(reader, "object", [&] {
            tr_FlashAnimPart part;
            reader.ReadString("res", part.path);
            part.path.insert(0, folder);
            reader.ReadString("type", part.type);
            reader.ReadFloat("w", part.width);
            reader.ReadFloat("h", part.height);
            reader.ReadString("id", part.id);
            parts_.push_back(std::move(part));
        });
        reader.Leave();
    }
    if (reader.Enter("frames")) {
        ReadFrames(reader, name);
        reader.Leave();
    }
    loop_frame_ = std::max(0, std::min(loop_frame_, GetFrameCount() - 1));
}

void tr_FlashAnimData::ReadFrames(tr_SLHelper_TinyXML2& reader, const std::string& name) {
    // Each part's latest instance state, which absent values carry over from.
    std::vector<tr_DrawState> latest(parts_.size());
    int dropped = 0;
    tr_ForEachResourceElement(reader, "frame", [&] {
        Frame frame;
        tr_ForEachResourceElement(reader, "object", [&] {
            int part = -1;
            reader.ReadInt("id", part);
            if (part < 0 || part >= static_cast<int>(parts_.size())) {
                ++dropped;
                return;
            }
            tr_DrawState& state = latest[static_cast<size_t>(part)];
            reader.ReadInt("frame", state.frame);
            ReadPlacement(reader, state);
            reader.ReadInt("blendmode", state.blend);
            frame.push_back(tr_FlashAnimInstance{state, part});
        });
        frames_.push_back(std::move(frame));
    });
    if (dropped > 0)
        tr_Log("Warning: flashanim \"%s\" has %d instances of parts it does not have; dropped.",
               name.c_str(), dropped);
}
