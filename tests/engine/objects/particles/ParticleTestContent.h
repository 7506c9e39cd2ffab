// ParticleTestContent: a temporary content folder per test process with
// helpers that write effect files and textures, plus a particle system
// loaded from such a file. Removed with the object.
#pragma once

#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

class ParticleTestContent {
public:
    explicit ParticleTestContent(const std::string& tag)
        : folder(::testing::TempDir() + tag + "_" + std::to_string(getpid()) + "/") {
        std::filesystem::create_directories(folder);
    }
    ~ParticleTestContent() { std::filesystem::remove_all(folder); }
    ParticleTestContent(const ParticleTestContent&) = delete;
    ParticleTestContent& operator=(const ParticleTestContent&) = delete;

    std::string Path(const std::string& name) const { return folder + name; }

    void WriteText(const std::string& name, const std::string& text) const {
        std::ofstream(folder + name, std::ios::binary) << text;
    }

    // name.xml: an effect of the given type whose body is the given text.
    void WriteEffect(const std::string& name, const std::string& type,
                     const std::string& body) const {
        WriteText(name + ".xml", "<effect type=\"" + type + "\">\n" + body + "</effect>\n");
    }

    // name.png, width x height; only the columns from opaque_from on are opaque.
    void WriteImage(const std::string& name, int width, int height, int opaque_from = 0) const {
        std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[static_cast<size_t>(y * width + x)] =
                    x >= opaque_from ? 0xFFFFFFFFu : 0x00FFFFFFu;
        ASSERT_TRUE(tr_PngWriter::Write(folder + name + ".png", pixels.data(), width, height));
    }

    // A system loaded from effect name (initialised, resources not loaded).
    std::unique_ptr<tr_ParticleSystem> Load(const std::string& name) const {
        auto system = std::make_unique<tr_ParticleSystem>(name);
        system->SetRes(Path(name));
        return system;
    }

    const std::string folder;

private:
    tr_ResourceRegistry registry_;
};
