// The SDL display seam on a real display server (Xvfb in the test run): the
// primary display comes first with its desktop size and its modes.
#include "engine/platform/sdl/tr_DisplayEnumerator_SDL.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

namespace {

TEST(DisplayEnumeratorSdlTest, ReportsThePrimaryDesktopAndItsModes) {
    tr_DisplayEnumerator_SDL enumerator;
    const std::vector<tr_DisplayDevice> devices = enumerator.EnumerateDevices();
    ASSERT_FALSE(devices.empty());
    EXPECT_TRUE(devices[0].primary);
    EXPECT_TRUE(devices[0].attached_to_desktop);
    for (size_t i = 1; i < devices.size(); ++i) {
        EXPECT_FALSE(devices[i].primary);
    }
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(devices[0].current.width, desktop.w);
    EXPECT_EQ(devices[0].current.height, desktop.h);
    ASSERT_FALSE(devices[0].modes.empty());
    EXPECT_EQ(static_cast<int>(devices[0].modes.size()), SDL_GetNumDisplayModes(0));
    for (const tr_DisplaySize& mode : devices[0].modes) {
        EXPECT_GT(mode.width, 0);
        EXPECT_GT(mode.height, 0);
        EXPECT_LE(mode.width, devices[0].modes.front().width);
    }
    // A second query gives the same answer.
    const std::vector<tr_DisplayDevice> again = enumerator.EnumerateDevices();
    ASSERT_EQ(again.size(), devices.size());
    EXPECT_EQ(again[0].current.width, devices[0].current.width);
}

} // namespace
