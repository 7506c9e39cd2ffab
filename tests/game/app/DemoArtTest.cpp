// The demo's art as the engine will read it: every picture drawn as SVG has
// its rendered PNG beside it, at the size the SVG declares and in the pixel
// format the decoder takes; frame textures stay inside their images and
// animations only name frames that exist.
#include "engine/core/tr_SLHelper_Text.h"
#include "engine/resources/images/tr_DecodedImage.h"
#include "engine/resources/images/tr_PngDecoder.h"

#include <tinyxml2.h>

#include <gtest/gtest.h>

#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const std::string kAssets = std::string(TARROW_SOURCE_DIR) + "/assets";

void CollectFiles(const std::string& folder, const std::string& suffix,
                  std::vector<std::string>& found) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "/" + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            CollectFiles(path, suffix, found);
        } else if (name.size() > suffix.size() &&
                   name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            found.push_back(path);
        }
    }
    closedir(dir);
}

std::string WithoutSuffix(const std::string& path, size_t length) {
    return path.substr(0, path.size() - length);
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

int IntAttribute(const tinyxml2::XMLElement* element, const char* name) {
    const char* text = element->Attribute(name);
    return tr_SLHelper_Text::ToInt(text != nullptr ? text : "");
}

// The frame-texture and animation descriptions of the demo (the cursors keep
// their own tests).
std::vector<std::string> DescriptionFiles(const char* root_name) {
    std::vector<std::string> xml;
    CollectFiles(kAssets + "/levels", ".xml", xml);
    CollectFiles(kAssets + "/shared", ".xml", xml);
    std::vector<std::string> matching;
    for (const std::string& path : xml) {
        tinyxml2::XMLDocument document;
        if (document.LoadFile(path.c_str()) == tinyxml2::XML_SUCCESS &&
            document.FirstChildElement(root_name) != nullptr) {
            matching.push_back(path);
        }
    }
    return matching;
}

TEST(DemoArtTest, EveryDrawingHasItsRenderedPicture) {
    std::vector<std::string> drawings;
    CollectFiles(kAssets + "/levels", ".svg", drawings);
    CollectFiles(kAssets + "/shared", ".svg", drawings);
    drawings.push_back(kAssets + "/icon.svg");
    ASSERT_GE(drawings.size(), 15u);
    for (const std::string& svg : drawings) {
        SCOPED_TRACE(svg);
        tinyxml2::XMLDocument document;
        ASSERT_EQ(document.LoadFile(svg.c_str()), tinyxml2::XML_SUCCESS);
        const tinyxml2::XMLElement* root = document.FirstChildElement("svg");
        ASSERT_NE(root, nullptr);
        tr_DecodedImage image;
        ASSERT_TRUE(tr_PngDecoder::Decode(WithoutSuffix(svg, 4) + ".png", image));
        EXPECT_EQ(image.width, IntAttribute(root, "width"));
        EXPECT_EQ(image.height, IntAttribute(root, "height"));
    }
}

TEST(DemoArtTest, RoomPicturesCoverTheWideLayoutAndAreOpaque) {
    for (const char* room : {"/levels/demo/study/study.png", "/levels/demo/garden/garden.png",
                             "/shared/interface/loading/loading_background.png"}) {
        SCOPED_TRACE(room);
        tr_DecodedImage image;
        ASSERT_TRUE(tr_PngDecoder::Decode(kAssets + room, image));
        EXPECT_EQ(image.width, 1366);
        EXPECT_EQ(image.height, 768);
        size_t transparent = 0;
        for (size_t i = 3; i < image.pixels.size(); i += 4) {
            transparent += image.pixels[i] != 255 ? 1 : 0;
        }
        EXPECT_EQ(transparent, 0u);
    }
}

TEST(DemoArtTest, HotspotsAreNearlyInvisibleButHit) {
    for (const char* hotspot :
         {"/levels/demo/study/exit_garden.png", "/levels/demo/garden/exit_study.png"}) {
        SCOPED_TRACE(hotspot);
        tr_DecodedImage image;
        ASSERT_TRUE(tr_PngDecoder::Decode(kAssets + hotspot, image));
        ASSERT_FALSE(image.pixels.empty());
        for (size_t i = 3; i < image.pixels.size(); i += 4) {
            ASSERT_GT(image.pixels[i], 0) << "pixel " << i / 4 << " would not be hit";
            ASSERT_LT(image.pixels[i], 16) << "pixel " << i / 4 << " would show";
        }
    }
}

TEST(DemoArtTest, FramesLieInsideTheirImages) {
    const std::vector<std::string> files = DescriptionFiles("frametexture");
    ASSERT_GE(files.size(), 2u);
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        tinyxml2::XMLDocument document;
        ASSERT_EQ(document.LoadFile(path.c_str()), tinyxml2::XML_SUCCESS);
        int count = 0;
        for (const auto* frame = document.RootElement()->FirstChildElement("frame");
             frame != nullptr; frame = frame->NextSiblingElement("frame"), ++count) {
            const char* texture = frame->Attribute("texture");
            ASSERT_NE(texture, nullptr);
            tr_DecodedImage image;
            ASSERT_TRUE(tr_PngDecoder::Decode(Folder(path) + texture + ".png", image));
            const int left = IntAttribute(frame, "left");
            const int top = IntAttribute(frame, "top");
            const int width = IntAttribute(frame, "widht");
            const int height = IntAttribute(frame, "height");
            EXPECT_GT(width, 0);
            EXPECT_GT(height, 0);
            EXPECT_GE(left, 0);
            EXPECT_GE(top, 0);
            EXPECT_LE(left + width, image.width);
            EXPECT_LE(top + height, image.height);
        }
        EXPECT_GT(count, 1);
    }
}

TEST(DemoArtTest, AnimationsNameFramesThatExist) {
    const std::vector<std::string> files = DescriptionFiles("animation");
    ASSERT_GE(files.size(), 2u);
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        tinyxml2::XMLDocument document;
        ASSERT_EQ(document.LoadFile(path.c_str()), tinyxml2::XML_SUCCESS);
        const tinyxml2::XMLElement* root = document.RootElement();
        // Flash animations share the root name; their parts are whole images
        // (tests/integration/demo_cutouts.sh plays them).
        if (root->FirstChildElement("objects"))
            continue;
        const char* frame_texture = root->Attribute("frame_texture");
        ASSERT_NE(frame_texture, nullptr);
        tinyxml2::XMLDocument frames;
        ASSERT_EQ(frames.LoadFile((Folder(path) + frame_texture + ".xml").c_str()),
                  tinyxml2::XML_SUCCESS);
        int frame_count = 0;
        for (const auto* f = frames.RootElement()->FirstChildElement("frame"); f != nullptr;
             f = f->NextSiblingElement("frame")) {
            ++frame_count;
        }
        int functions = 0;
        for (const auto* function = root->FirstChildElement("function"); function != nullptr;
             function = function->NextSiblingElement("function"), ++functions) {
            ASSERT_NE(function->Attribute("name"), nullptr);
            EXPECT_GT(IntAttribute(function, "frametime"), 0);
            int used = 0;
            for (const auto* frame = function->FirstChildElement("frame"); frame != nullptr;
                 frame = frame->NextSiblingElement("frame"), ++used) {
                const int index = IntAttribute(frame, "idx");
                EXPECT_GE(index, 0);
                EXPECT_LT(index, frame_count);
            }
            EXPECT_GT(used, 0);
        }
        EXPECT_GT(functions, 0);
    }
}

} // namespace
