// tr_DecodedImage: pixels decoded from an image file, 32-bit in the device
// byte order (blue, green, red, alpha), rows of width x 4 bytes, top row
// first. Owned by whoever decoded it; freed once uploaded.
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

    int width = 0;
    int height = 0;
    Pixels pixels;
};
