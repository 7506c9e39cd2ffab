#include "engine/resources/media/tr_VideoPlayer.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/media/tr_VideoFrameConverter.h"

namespace {

bool EndsWith(const std::string& text, const char* suffix) {
    const std::string tail(suffix);
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

bool tr_VideoPlayer::Open(const std::string& colour_path, const std::string& alpha_path) {
    opened = colour.Open(colour_path);
    at_end = !opened;
    position = 0;
    if (!opened) {
        return false;
    }
    const int width = GetWidth();
    const int height = GetHeight();
    if (EndsWith(alpha_path, ".zalpha")) {
        zalpha = std::make_unique<tr_VideoZAlpha>();
        if (!zalpha->Open(alpha_path, width, height)) {
            zalpha.reset();
        }
    } else if (EndsWith(alpha_path, ".oggalpha")) {
        alpha_video = std::make_unique<tr_VideoTheoraStream>();
        if (!alpha_video->Open(alpha_path)) {
            tr_Log("Warning: video alpha \"%s\" ignored: %s", alpha_path.c_str(),
                   alpha_video->GetError().c_str());
            alpha_video.reset();
        } else if (static_cast<int>(alpha_video->GetInfo().pic_width) != width ||
                   static_cast<int>(alpha_video->GetInfo().pic_height) != height) {
            tr_Log("Warning: video alpha \"%s\" ignored: its size differs from the video",
                   alpha_path.c_str());
            alpha_video.reset();
        }
    }
    if (HasAlpha()) {
        alpha_plane.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    }
    return true;
}

int tr_VideoPlayer::GetWidth() const {
    return opened ? static_cast<int>(colour.GetInfo().pic_width) : 0;
}

int tr_VideoPlayer::GetHeight() const {
    return opened ? static_cast<int>(colour.GetInfo().pic_height) : 0;
}

double tr_VideoPlayer::GetFrameRate() const {
    if (!opened) {
        return 0.0;
    }
    const th_info& info = colour.GetInfo();
    return static_cast<double>(info.fps_numerator) / static_cast<double>(info.fps_denominator);
}

bool tr_VideoPlayer::Rewind() {
    position = 0;
    has_picture = false;
    if (!opened) {
        return false;
    }
    at_end = !colour.Rewind();
    if (zalpha) {
        zalpha->Rewind();
    }
    if (alpha_video && !alpha_video->Rewind()) {
        at_end = true;
    }
    return !at_end;
}

bool tr_VideoPlayer::PositionOn(int n) {
    // After an end the decoder state is unknown, so it starts over.
    if ((n < position || at_end) && !Rewind()) {
        return false;
    }
    while (position < n) {
        if (!DecodeFrame(false)) {
            return false;
        }
    }
    return true;
}

bool tr_VideoPlayer::DecodeFrame(bool output) {
    if (at_end) {
        return false;
    }
    bool ok = colour.NextFrame(output);
    if (ok && zalpha) {
        ok = output ? zalpha->ReadFrame(alpha_plane.data()) : zalpha->SkipFrame();
    } else if (ok && alpha_video) {
        ok = alpha_video->NextFrame(output);
    }
    if (!ok) {
        at_end = true;
        return false;
    }
    has_picture = has_picture || output;
    ++position;
    return true;
}

bool tr_VideoPlayer::Convert(uint8_t* out, int stride) {
    if (!has_picture) {
        return false;
    }
    const tr_VideoFrameConverter& converter = tr_VideoFrameConverter::Get();
    const uint8_t* alpha = nullptr;
    if (alpha_video) {
        const auto alpha_picture =
            tr_VideoFrameConverter::MakePicture(alpha_video->GetPlanes(), alpha_video->GetInfo());
        converter.ExtractAlpha(alpha_picture, alpha_plane.data());
        alpha = alpha_plane.data();
    } else if (zalpha) {
        alpha = alpha_plane.data();
    }
    converter.Convert(tr_VideoFrameConverter::MakePicture(colour.GetPlanes(), colour.GetInfo()),
                      alpha, out, stride);
    return true;
}

int tr_VideoPlayer::CountFrames() {
    if (!Rewind()) {
        return 0;
    }
    int count = 0;
    while (colour.NextFrame(false)) {
        ++count;
    }
    Rewind();
    return count;
}
