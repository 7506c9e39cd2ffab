#include "engine/render/tr_GeneratedTexture.h"

#include "engine/core/tr_Log.h"

namespace {

int RoundUpToEven(int value) {
    return value % 2 != 0 ? value + 1 : value;
}

uint32_t ChannelByte(float c) {
    if (!(c > 0.0f))
        return 0;
    if (c >= 1.0f)
        return 255;
    return static_cast<uint32_t>(c * 255.0f);
}

} // namespace

bool tr_GeneratedTexture::Load(const char*) {
    return false;
}

bool tr_GeneratedTexture::Allocate(int& width, int& height, bool render_target) {
    if (width <= 0 || height <= 0)
        return false;
    width = RoundUpToEven(width);
    height = RoundUpToEven(height);
    std::string error;
    if (!AllocateDevice(width, height, render_target, error)) {
        tr_Log("Error: could not create texture. Size: %d x %d. Error: %s",
               tr_NextPowerOfTwo(width), tr_NextPowerOfTwo(height), error.c_str());
        return false;
    }
    return true;
}

bool tr_GeneratedTexture::Create(int width, int height, const float* rgb) {
    if (!Allocate(width, height, false))
        return false;
    if (rgb) {
        device_->Fill(0xFF000000u | ChannelByte(rgb[0]) << 16 | ChannelByte(rgb[1]) << 8 |
                      ChannelByte(rgb[2]));
        opaque_ = alloc_width_ == width_ && alloc_height_ == height_;
    } else {
        device_->Fill(0u);
    }
    return true;
}

void tr_GeneratedTexture::WritePixels(const uint8_t* pixels, int width, int height, int stride) {
    if (!pixels)
        return;
    opaque_ = false;
    if (stride == 0) {
        device_->WriteRows(pixels, RoundUpToEven(width), RoundUpToEven(height),
                           RoundUpToEven(width) * 4);
    } else {
        device_->WriteRows(pixels, width, height, stride);
    }
}

bool tr_GeneratedTexture::CreateFromPixels(const uint8_t* pixels, int width, int height,
                                           int stride) {
    int alloc_width = width;
    int alloc_height = height;
    if (!Allocate(alloc_width, alloc_height, false))
        return false;
    device_->Fill(0u);
    WritePixels(pixels, width, height, stride);
    return true;
}

bool tr_GeneratedTexture::UpdatePixels(const uint8_t* pixels, int width, int height, int stride) {
    if (!device_ || RoundUpToEven(width) != static_cast<int>(width_) ||
        RoundUpToEven(height) != static_cast<int>(height_))
        return CreateFromPixels(pixels, width, height, stride);
    WritePixels(pixels, width, height, stride);
    return true;
}
