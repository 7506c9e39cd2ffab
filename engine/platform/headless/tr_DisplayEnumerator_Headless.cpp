#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"

tr_DisplayEnumerator_Headless::tr_DisplayEnumerator_Headless()
    : devices_{PrimaryDevice(1920, 1080, {{1600, 900}, {1366, 768}, {1280, 720}, {1024, 768}})} {}

tr_DisplayDevice
tr_DisplayEnumerator_Headless::PrimaryDevice(int width, int height,
                                             std::vector<tr_DisplaySize> smaller_modes) {
    tr_DisplayDevice device;
    device.attached_to_desktop = true;
    device.primary = true;
    device.current = {width, height};
    device.modes.push_back({width, height});
    device.modes.insert(device.modes.end(), smaller_modes.begin(), smaller_modes.end());
    return device;
}
