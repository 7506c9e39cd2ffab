// AnimTestContent: a temporary content folder of its own per test process
// (tests run in parallel) with helpers that write frame strips and animation
// files into it. Removed with the object.
#pragma once

#include "engine/resources/images/tr_PngWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

class AnimTestContent {
public:
    explicit AnimTestContent(const std::string& tag)
        : folder(::testing::TempDir() + tag + "_" + std::to_string(getpid()) + "/") {
        std::filesystem::create_directories(folder);
    }
    ~AnimTestContent() { std::filesystem::remove_all(folder); }
    AnimTestContent(const AnimTestContent&) = delete;
    AnimTestContent& operator=(const AnimTestContent&) = delete;

    void WriteText(const std::string& relative, const std::string& text) const {
        const std::filesystem::path path = folder + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    // relative + ".png": a horizontal strip of count frames, each width x
    // height, frame i filled with an opaque grey of 10 * (i + 1).
    void WriteStripImage(const std::string& relative, int count, int width, int height) const {
        std::vector<uint32_t> pixels(static_cast<size_t>(count * width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < count * width; ++x) {
                const uint32_t grey = static_cast<uint32_t>(10 * (x / width + 1));
                pixels[static_cast<size_t>(y * count * width + x)] =
                    0xFF000000u | grey << 16 | grey << 8 | grey;
            }
        ASSERT_TRUE(
            tr_PngWriter::Write(folder + relative + ".png", pixels.data(), count * width, height));
    }

    // The strip image plus its frame-texture file relative + ".xml", with
    // the anchor at each frame's centre.
    void WriteStrip(const std::string& relative, int count, int width, int height) const {
        WriteStripImage(relative, count, width, height);
        const std::string image = std::filesystem::path(relative).filename().string();
        std::string xml = "<frametexture>\n";
        for (int i = 0; i < count; ++i)
            xml += "  <frame left=\"" + std::to_string(i * width) + "\" top=\"0\" widht=\"" +
                   std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" x=\"" +
                   std::to_string(width / 2) + "\" y=\"" + std::to_string(height / 2) +
                   "\" texture=\"" + image + "\"/>\n";
        WriteText(relative + ".xml", xml + "</frametexture>\n");
    }

    // Full path of a file in the folder, without extension.
    std::string Path(const std::string& relative) const { return folder + relative; }

    const std::string folder;
};
