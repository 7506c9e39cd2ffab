#include "engine/render/tr_RenderDevice.h"

#include "engine/core/tr_Backends.h"

tr_RenderDevice* tr_RenderDevice::current_ = nullptr;
bool tr_RenderDevice::force_power_of_two_ = false;

uint64_t tr_DeviceTexture::NextContentId() {
    static uint64_t last = 0;
    return ++last;
}

int tr_NextPowerOfTwo(int value) {
    int power = 1;
    while (power < value && power < (1 << 30))
        power <<= 1;
    return power;
}

namespace {

bool IsPowerOfTwo(int value) {
    return value > 0 && (value & (value - 1)) == 0;
}

} // namespace

std::unique_ptr<tr_DeviceTexture>
tr_RenderDevice::CreateTexture(int width, int height, bool render_target, std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "GL_INVALID_VALUE";
        return nullptr;
    }
    if (force_power_of_two_ && (!IsPowerOfTwo(width) || !IsPowerOfTwo(height))) {
        error = "GL_INVALID_VALUE";
        return nullptr;
    }
    return AllocateTexture(width, height, render_target, error);
}

tr_RenderDevice* tr_RenderDevice::Current() {
    if (current_)
        return current_;
    static const std::unique_ptr<tr_RenderDevice> memory_device =
        tr_Backends::MakeRenderDevice("null");
    return memory_device.get();
}

void tr_RenderDevice::SetCurrent(tr_RenderDevice* device) {
    current_ = device;
}
