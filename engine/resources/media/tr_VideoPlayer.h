// tr_VideoPlayer: the open streams of one video: the Theora colour stream and
// an optional alpha source (a ".zalpha" file or an ".oggalpha" grey Theora
// video), decoded in step. A frame succeeds only when every stream delivers
// it; the first failure (end of file or damaged data) sets the end flag, and
// only Rewind clears it. Owned by tr_VideoClip.
#pragma once

#include "engine/resources/media/tr_VideoTheoraStream.h"
#include "engine/resources/media/tr_VideoZAlpha.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class tr_VideoPlayer {
public:
    tr_VideoPlayer() = default;
    tr_VideoPlayer(const tr_VideoPlayer&) = delete;
    tr_VideoPlayer& operator=(const tr_VideoPlayer&) = delete;

    // Opens the colour stream (false and GetError when it cannot play), then
    // the alpha source named by alpha_path, chosen by its extension; an alpha
    // source that does not open or does not match leaves the video opaque.
    bool Open(const std::string& colour_path, const std::string& alpha_path);

    int GetWidth() const;
    int GetHeight() const;
    // Frames per second as the stream header gives it (never zero once open).
    double GetFrameRate() const;
    const std::string& GetError() const { return colour.GetError(); }
    bool HasAlpha() const { return zalpha != nullptr || alpha_video != nullptr; }

    bool IsAtEnd() const { return at_end; }
    // Frames consumed since the start: the index of the next frame decoded.
    int GetPosition() const { return position; }

    bool Rewind();
    // Makes frame n the next one decoded, rewinding when n is behind. False
    // when the video ends first.
    bool PositionOn(int n);
    // Decodes the next frame of every stream; without output the frame is
    // stepped over (no picture, the zalpha record skipped by its length).
    bool DecodeFrame(bool output);
    // Converts the last frame decoded with output into out; false when no
    // frame was decoded with output since the last rewind.
    bool Convert(uint8_t* out, int stride);
    // Number of frames from the start of the colour stream; leaves the
    // player rewound.
    int CountFrames();

private:
    tr_VideoTheoraStream colour;
    std::unique_ptr<tr_VideoZAlpha> zalpha;
    std::unique_ptr<tr_VideoTheoraStream> alpha_video;
    std::vector<uint8_t> alpha_plane;
    bool opened = false;
    bool at_end = false;
    bool has_picture = false;
    int position = 0;
};
