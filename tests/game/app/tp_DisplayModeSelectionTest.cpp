// Display-mode selection on monitors described through the display seam: the
// window sizes, forced full screen, the wide layout and the design-area
// placement.
#include "game/app/tp_DisplayModeSelection.h"

#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"
#include "tests/engine/resources/text/LogCapture.h"

#include "tests/support/ScopedService.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Selection = tp_DisplayModeSelection;

// A primary display whose desktop is also its widest mode.
tp_DisplayMode SelectOn(int width, int height, bool fullscreen, bool widescreen) {
    tr_DisplayEnumerator_Headless display(
        {tr_DisplayEnumerator_Headless::PrimaryDevice(width, height, {{1024, 768}, {800, 600}})});
    return Selection::Select(fullscreen, widescreen, &display);
}

void ExpectMode(const tp_DisplayMode& mode, int width, int height, bool fullscreen,
                bool widescreen) {
    EXPECT_EQ(mode.width, width);
    EXPECT_EQ(mode.height, height);
    EXPECT_EQ(mode.fullscreen, fullscreen);
    EXPECT_EQ(mode.widescreen, widescreen);
}

TEST(DisplayModeSelectionTest, WindowedSizesFollowTheDesktop) {
    {
        SCOPED_TRACE("1366x768 keeps the wide layout in a short window");
        tp_DisplayMode mode = SelectOn(1366, 768, false, true);
        ExpectMode(mode, 1068, 600, false, true);
    }
    {
        SCOPED_TRACE("wider than 1366 gets the full wide window");
        ExpectMode(SelectOn(1920, 1080, false, true), 1366, 768, false, true);
    }
    {
        SCOPED_TRACE("1280x800 with wide requested");
        tp_DisplayMode mode = SelectOn(1280, 800, false, true);
        ExpectMode(mode, 1068, 600, false, true);
        EXPECT_FLOAT_EQ(mode.scale_y, 600.0f / 768.0f);
        // Square pixels: a design unit as wide as it is high.
        EXPECT_FLOAT_EQ(mode.scale_x, mode.scale_y);
    }
    {
        SCOPED_TRACE("1280x800 without wide");
        ExpectMode(SelectOn(1280, 800, false, false), 800, 600, false, false);
    }
    {
        SCOPED_TRACE("1280x1024 drops the wide layout");
        tp_DisplayMode mode = SelectOn(1280, 1024, false, true);
        ExpectMode(mode, 1024, 768, false, false);
        EXPECT_FLOAT_EQ(mode.scale_x, 1.0f);
        EXPECT_FLOAT_EQ(mode.offset_x, 0.0f);
    }
    {
        SCOPED_TRACE("a short desktop narrower than 1068 drops the wide layout");
        ExpectMode(SelectOn(1050, 790, false, true), 800, 600, false, false);
    }
}

TEST(DisplayModeSelectionTest, SmallDesktopsForceFullScreen) {
    ExpectMode(SelectOn(1024, 700, false, false), 1024, 700, true, false);
    ExpectMode(SelectOn(1024, 700, false, true), 1024, 700, true, true);
    // Tall enough but too narrow for the wide layout in a window.
    ExpectMode(SelectOn(1000, 800, false, true), 1000, 800, true, true);
    ExpectMode(SelectOn(1000, 800, false, false), 800, 600, false, false);
}

TEST(DisplayModeSelectionTest, FullScreenScalesTheDesignAreaToTheHeight) {
    tp_DisplayMode wide = SelectOn(1920, 1080, true, true);
    ExpectMode(wide, 1920, 1080, true, true);
    EXPECT_FLOAT_EQ(wide.scale_x, 1.40625f);
    EXPECT_FLOAT_EQ(wide.scale_y, 1.40625f);
    EXPECT_FLOAT_EQ(wide.offset_x, 240.0f);
    EXPECT_FLOAT_EQ(wide.offset_y, 0.0f);

    tp_DisplayMode normal = SelectOn(1920, 1080, true, false);
    ExpectMode(normal, 1920, 1080, true, false);
    EXPECT_FLOAT_EQ(normal.scale_x, 1.875f);
    EXPECT_FLOAT_EQ(normal.scale_y, 1.40625f);
    EXPECT_FLOAT_EQ(normal.offset_x, 0.0f);

    // A 4:3 monitor: the wide layout changes nothing about the placement.
    tp_DisplayMode square = SelectOn(1600, 1200, true, true);
    EXPECT_FLOAT_EQ(square.scale_x, 1.5625f);
    EXPECT_FLOAT_EQ(square.scale_y, 1.5625f);
    EXPECT_FLOAT_EQ(square.offset_x, 0.0f);
}

TEST(DisplayModeSelectionTest, WideWindowIsDrawnPixelForPixel) {
    // The 1366 wide design area fills the 1366x768 window exactly whatever
    // the monitor's shape (16:9, 16:10, 1366 not being quite 16:9), so the
    // picture is neither stretched nor cropped and stays on whole pixels.
    for (const auto& size :
         std::vector<std::pair<int, int>>{{1920, 1080}, {1440, 900}, {2560, 1080}}) {
        SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second));
        const tp_DisplayMode mode = SelectOn(size.first, size.second, false, true);
        ExpectMode(mode, 1366, 768, false, true);
        EXPECT_EQ(mode.scale_x, 1.0f);
        EXPECT_EQ(mode.scale_y, 1.0f);
        EXPECT_EQ(mode.offset_x, 171.0f);
    }
    // A desktop mode that the monitor stretches (1680x1050 on a 16:9 panel)
    // has wide pixels; the window's design units make up for them.
    tr_DisplayEnumerator_Headless stretched(
        {tr_DisplayEnumerator_Headless::PrimaryDevice(1680, 1050, {{1920, 1080}, {1680, 1050}})});
    const tp_DisplayMode mode = Selection::Select(false, true, &stretched);
    ExpectMode(mode, 1366, 768, false, true);
    EXPECT_FLOAT_EQ(mode.scale_x, (1680.0f / 1050.0f) / (1920.0f / 1080.0f));
    EXPECT_FLOAT_EQ(mode.offset_x, (1366.0f - 1024.0f * mode.scale_x) / 2.0f);
}

TEST(DisplayModeSelectionTest, TheSelectionIsLogged) {
    LogCapture log;
    SelectOn(1280, 800, false, true);
    SelectOn(1024, 700, false, false);
    EXPECT_EQ(log.Count("Display mode: 1068x600, fullscreen=0, widescreen=1."), 1);
    EXPECT_EQ(log.Count("Display mode: 1024x700, fullscreen=1, widescreen=0."), 1);
}

TEST(DisplayModeSelectionTest, DesktopComesFromTheAttachedPrimaryDevice) {
    tr_DisplayDevice secondary = tr_DisplayEnumerator_Headless::PrimaryDevice(2560, 1080);
    secondary.primary = false;
    tr_DisplayDevice detached = tr_DisplayEnumerator_Headless::PrimaryDevice(3840, 2160);
    detached.attached_to_desktop = false;
    tr_DisplayDevice primary;
    primary.attached_to_desktop = true;
    primary.primary = true;
    primary.current = {1280, 1024};
    // The first of the widest modes decides the monitor's shape.
    primary.modes = {{1024, 768}, {1920, 1200}, {1920, 1080}, {1280, 1024}};

    const Selection::Desktop desktop = Selection::FindDesktop({secondary, detached, primary});
    EXPECT_TRUE(desktop.known);
    EXPECT_EQ(desktop.width, 1280);
    EXPECT_EQ(desktop.height, 1024);
    EXPECT_FLOAT_EQ(desktop.monitor_ratio, 1.6f);

    // Not wider than 4:3 (or no usable mode): the ratio stays 4:3.
    primary.modes = {{1280, 1024}};
    EXPECT_FLOAT_EQ(Selection::FindDesktop({primary}).monitor_ratio, 4.0f / 3.0f);
    primary.modes = {{1920, 0}};
    EXPECT_FLOAT_EQ(Selection::FindDesktop({primary}).monitor_ratio, 4.0f / 3.0f);
    primary.modes.clear();
    EXPECT_FLOAT_EQ(Selection::FindDesktop({primary}).monitor_ratio, 4.0f / 3.0f);
}

TEST(DisplayModeSelectionTest, UnknownDesktopGivesAPlainWindow) {
    tr_DisplayDevice secondary = tr_DisplayEnumerator_Headless::PrimaryDevice(1920, 1080);
    secondary.primary = false;
    tr_DisplayDevice zero = tr_DisplayEnumerator_Headless::PrimaryDevice(0, 0);
    for (const auto& devices :
         std::vector<std::vector<tr_DisplayDevice>>{{}, {secondary}, {zero}}) {
        tr_DisplayEnumerator_Headless display(devices);
        LogCapture log;
        Selection::Desktop desktop;
        desktop.known = true;
        tp_DisplayMode mode = Selection::Select(true, true, &display, &desktop);
        EXPECT_FALSE(desktop.known);
        ExpectMode(mode, 1024, 768, false, false);
        EXPECT_FLOAT_EQ(mode.scale_x, 1.0f);
        EXPECT_FLOAT_EQ(mode.scale_y, 1.0f);
        EXPECT_EQ(log.Count("Warning: no primary display found; using a 1024x768 window."), 1);
    }
}

TEST(DisplayModeSelectionTest, InstalledEnumeratorIsUsedByDefault) {
    ScopedService<tr_DisplayEnumerator> no_enumerator;
    ExpectMode(Selection::Select(true, true), 1024, 768, false, false);
    tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless(
        {tr_DisplayEnumerator_Headless::PrimaryDevice(1680, 1050)}));
    Selection::Desktop desktop;
    ExpectMode(Selection::Select(true, true, nullptr, &desktop), 1680, 1050, true, true);
    EXPECT_EQ(desktop.width, 1680);
    EXPECT_EQ(desktop.height, 1050);
    // The headless default is one 1920x1080 display.
    tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless());
    ExpectMode(Selection::Select(true, false), 1920, 1080, true, false);
    tr_DisplayEnumerator::Destroy();
    EXPECT_EQ(tr_DisplayEnumerator::Get(), nullptr);
}

TEST(DisplayModeTest, ChangesBetweenModes) {
    const tp_DisplayMode wide = SelectOn(1920, 1080, true, true);
    const tp_DisplayMode normal = SelectOn(1920, 1080, true, false);
    const tp_DisplayMode window = SelectOn(1920, 1080, false, true);
    // Same pixel size, other layout: no device reset.
    EXPECT_EQ(wide.ChangeTo(normal), tp_DisplayMode::Change::LayoutOnly);
    EXPECT_EQ(wide.ChangeTo(wide), tp_DisplayMode::Change::None);
    EXPECT_EQ(wide.ChangeTo(window), tp_DisplayMode::Change::Resize);
    tp_DisplayMode same_size_windowed = wide;
    same_size_windowed.fullscreen = false;
    EXPECT_EQ(wide.ChangeTo(same_size_windowed), tp_DisplayMode::Change::Resize);

    tp_DisplayMode::SetCurrent(window);
    EXPECT_EQ(tp_DisplayMode::GetCurrent().width, 1366);
    EXPECT_EQ(tp_DisplayMode::GetCurrent().ChangeTo(window), tp_DisplayMode::Change::None);
    tp_DisplayMode::SetCurrent(tp_DisplayMode{});
}

} // namespace
