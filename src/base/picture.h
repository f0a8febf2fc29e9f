#pragma once
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pawlet {

// An allocator whose value-less construct leaves the value uninitialised, so resizing a pixel
// buffer that is about to be overwritten costs no pass of zeroes.
template <typename T>
struct NoFillAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = NoFillAllocator<U>;
    };
    NoFillAllocator() = default;
    template <typename U>
    NoFillAllocator(const NoFillAllocator<U>&) noexcept {}

    template <typename U>
    void construct(U* at) noexcept {
        ::new (static_cast<void*>(at)) U;
    }
    template <typename U, typename... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<std::uint32_t, NoFillAllocator<std::uint32_t>>;

// Decoded pixels, top row first, one 32-bit value per pixel laid out as the bytes B, G, R, A
// (0xAARRGGBB read as a little-endian word): the layout of a 32-bit top-down Windows DIB.
struct Picture {
    int width = 0;
    int height = 0;
    PixelBuffer pixels;  // width * height values; resize leaves new values unset

    bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
};

}  // namespace pawlet
