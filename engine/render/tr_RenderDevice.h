// tr_RenderDevice: the small device interface behind textures and geometry
// lists. The concrete renderer installs its device (GL) in its constructor;
// without one, the in-memory device of the headless back end serves, so
// textures keep working in tests and in headless runs. Device objects are
// owned by the texture or list that created them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Device side of one texture: 32-bit texels, bytes blue, green, red, alpha.
class tr_DeviceTexture {
public:
    tr_DeviceTexture(int alloc_width, int alloc_height)
        : alloc_width_(alloc_width), alloc_height_(alloc_height), content_id_(NextContentId()) {}
    virtual ~tr_DeviceTexture() = default;

    int GetAllocWidth() const { return alloc_width_; }
    int GetAllocHeight() const { return alloc_height_; }

    // Copies rows of width x 4 bytes into the top-left corner of the
    // allocation; stride is the distance between source rows in bytes. The
    // rest of the allocation is left as it is.
    virtual void WriteRows(const uint8_t* pixels, int width, int height, int stride) = 0;
    // Sets every texel of the allocation to one value (0xAARRGGBB).
    virtual void Fill(uint32_t argb) = 0;
    // The back end's own handle (GL texture name); 0 for the in-memory device.
    virtual uintptr_t GetNativeHandle() const = 0;

    // Names what the texels hold: a value no other texture and no earlier
    // state of this one ever had, so equal ids mean equal pictures (what the
    // changed-only redraw compares between frames).
    uint64_t GetContentId() const { return content_id_; }

protected:
    // Every write calls this before the texels change.
    void MarkWritten() { content_id_ = NextContentId(); }

private:
    static uint64_t NextContentId();

    int alloc_width_;
    int alloc_height_;
    uint64_t content_id_;
};

// Device side of a vertex or index list: a buffer the list re-uploads from
// its shadow copy when it has changed.
class tr_DeviceBuffer {
public:
    virtual ~tr_DeviceBuffer() = default;
    virtual void Upload(const void* data, size_t bytes) = 0;
    virtual uintptr_t GetNativeHandle() const = 0;
};

class tr_RenderDevice {
public:
    virtual ~tr_RenderDevice() = default;

    // Allocates a texture of exactly width x height, or null when the device
    // refuses; error then holds the device's error name. With power-of-two
    // forcing on, sizes that are not powers of two are refused like a device
    // without non-power-of-two support would.
    std::unique_ptr<tr_DeviceTexture> CreateTexture(int width, int height, bool render_target,
                                                    std::string& error);
    // A buffer of the given size in bytes, or null on failure.
    virtual std::unique_ptr<tr_DeviceBuffer> CreateBuffer(size_t bytes, bool index_buffer) = 0;

    // The installed device, or the in-memory device when none is installed.
    static tr_RenderDevice* Current();
    // Installs a device (null restores the in-memory one); the caller keeps ownership.
    static void SetCurrent(tr_RenderDevice* device);

    static void SetForcePowerOfTwo(bool force) { force_power_of_two_ = force; }
    static bool IsForcePowerOfTwo() { return force_power_of_two_; }

protected:
    virtual std::unique_ptr<tr_DeviceTexture>
    AllocateTexture(int width, int height, bool render_target, std::string& error) = 0;

private:
    static tr_RenderDevice* current_;
    static bool force_power_of_two_;
};

// Smallest power of two >= value (1 for values <= 1).
int tr_NextPowerOfTwo(int value);
