#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "winkit/handles_win.h"

namespace pawlet {

// A 32-bit top-down DIB section selected into a memory DC of its own: pixels to compose into and
// a DC to copy them to the screen from in one BitBlt.
class OffscreenSurface {
public:
    // Null when the bitmap or the DC cannot be made. Sides below 1 count as 1.
    static std::unique_ptr<OffscreenSurface> create(int width, int height);
    // Selects the bitmap out again before deleting it: Windows refuses to delete a bitmap that is
    // still selected into a DC, and the bitmap would leak.
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    HDC dc() const { return dc_.get(); }
    std::uint32_t* pixels() const { return pixels_; }  // rows of width() pixels, top row first
    int width() const { return width_; }
    int height() const { return height_; }

private:
    OffscreenSurface() = default;

    MemoryDc dc_;
    GdiBitmap bitmap_;
    HGDIOBJ replaced_ = nullptr;  // the DC's own bitmap, put back before bitmap_ goes
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace pawlet
