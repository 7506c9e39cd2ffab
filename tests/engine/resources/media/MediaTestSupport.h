// Helpers shared by the media tests: a scratch folder, a recorder of mediator
// messages (log lines arrive as message 3, subtitles as message 1) and the
// making of small test videos whose frame n is grey level FrameLevel(n).
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/media/tr_VideoEncoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace media_test {

inline std::string ContentDir() {
    return std::string(TARROW_TEST_CONTENT) + "/media";
}

class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/tarrow_media_XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made ? made : "/tmp";
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

inline std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
    WriteFile(path, std::vector<char>(text.begin(), text.end()));
}

// Records every message of one id; creates the process mediator when missing.
class MessageRecorder : public tr_Listener {
public:
    explicit MessageRecorder(int id) {
        if (!tr_Mediator::Get()) {
            owned = std::make_unique<tr_Mediator>();
        }
        tr_Mediator::Get()->Subscribe(id, this);
    }
    void OnMessage(int, tr_MediatorDataTable& data) override { messages.push_back(data); }

    std::string Text(size_t i, const char* key) const {
        const tr_MediatorData* value = messages.at(i).Find(key);
        return value ? value->GetString() : std::string("<none>");
    }
    int Int(size_t i, const char* key) const {
        const tr_MediatorData* value = messages.at(i).Find(key);
        return value ? value->GetInt() : -1;
    }
    bool Logged(const std::string& line) const {
        for (size_t i = 0; i < messages.size(); ++i) {
            if (Text(i, "message") == line) {
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<tr_Mediator> owned;
    std::vector<tr_MediatorDataTable> messages;
};

// Grey level of frame n: steps of 7, far apart enough to survive the codec.
inline int FrameLevel(int n) {
    return 16 + 7 * (n % 32);
}
inline int LevelToFrame(int level) {
    return (level - 16 + 3) / 7;
}

// Offsets of the Ogg pages in bytes (stops at the first damaged header).
inline std::vector<size_t> OggPages(const std::vector<char>& bytes) {
    std::vector<size_t> pages;
    size_t at = 0;
    while (at + 27 <= bytes.size() && std::string(&bytes[at], 4) == "OggS") {
        const size_t segments = static_cast<unsigned char>(bytes[at + 26]);
        if (at + 27 + segments > bytes.size()) {
            break;
        }
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) {
            body += static_cast<unsigned char>(bytes[at + 27 + i]);
        }
        pages.push_back(at);
        at += 27 + segments + body;
    }
    return pages;
}

struct VideoParams {
    int width = 33;
    int height = 25;
    int frames = 30;
    int fps = 25;
    bool alpha = true;
    // Alpha of pixel (x, y) in frame n; the default makes the left four
    // columns fully transparent.
    std::function<uint8_t(int x, int y, int n)> alpha_of = [](int x, int, int) {
        return static_cast<uint8_t>(x < 4 ? 0 : 255);
    };
};

inline void MakeVideo(const std::string& base, const VideoParams& params) {
    tr_VideoEncoder::Options options;
    options.fps_numerator = params.fps;
    options.quality = 63;
    options.write_alpha = params.alpha;
    tr_VideoEncoder encoder;
    ASSERT_TRUE(encoder.Begin(base, params.width, params.height, options)) << encoder.GetError();
    std::vector<uint8_t> rgba(static_cast<size_t>(params.width) * params.height * 4);
    for (int n = 0; n < params.frames; ++n) {
        const uint8_t level = static_cast<uint8_t>(FrameLevel(n));
        for (int y = 0; y < params.height; ++y) {
            for (int x = 0; x < params.width; ++x) {
                uint8_t* p = &rgba[(static_cast<size_t>(y) * params.width + x) * 4];
                p[0] = p[1] = p[2] = level;
                p[3] = params.alpha_of(x, y, n);
            }
        }
        ASSERT_TRUE(encoder.AddFrame(rgba.data(), params.width * 4)) << encoder.GetError();
    }
    ASSERT_TRUE(encoder.Finish()) << encoder.GetError();
}

} // namespace media_test
