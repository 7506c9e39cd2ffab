// tr_DecodedImage: pixels decoded from an image file, 32-bit in the device
// byte order (blue, green, red, alpha), rows of width x 4 bytes, top row
// first. Owned by whoever decoded it; freed once uploaded. Decoders weigh the
// size a header claims against the texture budget before allocating, so a
// few kilobytes of file cannot ask for gigabytes.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// Leaves elements made by resize() uninitialised: a decoder overwrites every
// byte, so zeroing megabytes first would only cost time.
template <typename T> struct tr_UninitialisedAllocator : std::allocator<T> {
    template <typename U> struct rebind { using other = tr_UninitialisedAllocator<U>; };
    tr_UninitialisedAllocator() = default;
    template <typename U> tr_UninitialisedAllocator(const tr_UninitialisedAllocator<U>&) {}
    template <typename U> void construct(U* place) { ::new (static_cast<void*>(place)) U; }
    template <typename U, typename... Args> void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

struct tr_DecodedImage {
    using Pixels = std::vector<uint8_t, tr_UninitialisedAllocator<uint8_t>>;

    // The texture budget: 64 MB of pixels, four times a 2048 x 2048 background,
    // and no side longer than any device takes.
    static constexpr int64_t kMaxPixels = int64_t(4096) * 4096;
    static constexpr int64_t kMaxSide = 16384;
    static bool WithinBudget(int64_t width, int64_t height) {
        return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
               width * height <= kMaxPixels;
    }

    int width = 0;
    int height = 0;
    Pixels pixels;
};
