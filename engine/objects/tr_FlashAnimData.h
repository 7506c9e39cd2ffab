// tr_FlashAnimData: a cut-out animation as read from its XML file: the image
// parts, the frames (each an ordered list of part instances with their own
// draw state), the whole animation's root state, its rate and looping. An
// instance value the file leaves out carries over from the same part's
// latest earlier instance. Instances naming a part that does not exist are
// dropped while reading and the loop frame is kept inside the frame list, so
// every index the data hands out is valid. A plain value owned by its
// flash animation object.
#pragma once

#include "engine/render/tr_DrawState.h"

#include <cstddef>
#include <string>
#include <vector>

class tr_SLHelper_TinyXML2;

struct tr_FlashAnimPart {
    std::string path; // the file's folder followed by the part's "res"
    std::string type; // "texture" or "frametexture"
    float width = 0.0f;
    float height = 0.0f;
    std::string id;
};

struct tr_FlashAnimInstance {
    tr_DrawState state;
    int part = 0; // index into the parts, always valid
};

class tr_FlashAnimData {
public:
    using Frame = std::vector<tr_FlashAnimInstance>;

    // The rate used when a file gives none or one of 0 or less.
    static constexpr float kDefaultFps = 25.0f;

    // Reads the "animation" element the reader stands on; folder prefixes
    // every part's image, name is the animation's name for log lines.
    void Load(tr_SLHelper_TinyXML2& reader, const std::string& folder, const std::string& name);
    // Load over the bytes of a file; false (and no parts or frames) when
    // they are not XML.
    bool LoadFromBuffer(const char* data, size_t size, const std::string& folder,
                        const std::string& name);
    void Clear();

    const std::vector<tr_FlashAnimPart>& GetParts() const { return parts_; }
    const std::vector<Frame>& GetFrames() const { return frames_; }
    int GetFrameCount() const { return static_cast<int>(frames_.size()); }
    const tr_DrawState& GetRootState() const { return root_; }
    bool IsLooping() const { return loop_ == 1; }
    int GetLoopFrame() const { return loop_frame_; }
    float GetFrameTime() const { return frame_time_; }

private:
    void ReadFrames(tr_SLHelper_TinyXML2& reader, const std::string& name);

    std::vector<tr_FlashAnimPart> parts_;
    std::vector<Frame> frames_;
    tr_DrawState root_;
    int loop_ = 0;
    int loop_frame_ = 0;
    float frame_time_ = 1.0f / kDefaultFps;
};
