// The back-end table: every name it holds makes an object of its kind, and a
// name it does not hold for a kind makes nothing.
#include "engine/core/tr_Backends.h"

#include "engine/host/Tarrow.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_RenderDevice.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/media/tr_AudioBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

TEST(BackendsTest, EachKindMakesItsNamesAndNothingElse) {
    struct Case {
        const char* kind;
        std::string name;
        std::function<bool(const std::string&)> makes;
        bool expected;
    };
    const auto audio = [](const std::string& n) { return tr_Backends::MakeAudio(n) != nullptr; };
    const auto cursor = [](const std::string& n) { return tr_Backends::MakeCursor(n) != nullptr; };
    const auto files = [](const std::string& n) {
        return tr_Backends::MakeFileManager(n) != nullptr;
    };
    const auto renderer = [](const std::string& n) {
        return tr_Backends::MakeRenderer(n) != nullptr;
    };
    const auto device = [](const std::string& n) {
        return tr_Backends::MakeRenderDevice(n) != nullptr;
    };
    const auto host = [](const std::string& n) { return tr_Backends::MakeHost(n) != nullptr; };
    const Case cases[] = {
        {"host", "headless", host, true},
        {"host", "sdl", host, false},
        {"audio", "null", audio, true},
        {"audio", "gl", audio, false},
        {"audio", "", audio, false},
        {"cursor", "headless", cursor, true},
        {"cursor", "null", cursor, false},
        {"files", "posix", files, true},
        {"files", "sdl", files, false},
        {"renderer", "null", renderer, true},
        {"renderer", "posix", renderer, false},
        {"device", "null", device, true},
        {"device", "gl", device, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.makes(c.name), c.expected) << c.kind << " \"" << c.name << "\"";
}

TEST(BackendsTest, TheNullAudioHasNoDeviceAndTheSdlAudioFallsBackToIt) {
    EXPECT_FALSE(tr_Backends::MakeAudio("null")->HasDevice());
    // SDL's dummy driver is no device: the sdl entry then answers with the
    // null twin rather than with nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<tr_AudioBackend> sdl = tr_Backends::MakeAudio("sdl");
    ASSERT_NE(sdl, nullptr);
    EXPECT_FALSE(sdl->HasDevice());
}
