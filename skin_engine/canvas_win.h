#pragma once
#include <windows.h>

#include "gdi_objects_win.h"
#include "media/skin_painter.h"

namespace skin_engine {

// An off-screen 32-bit picture with a DC, painted whole and then copied to a window at once,
// so that a control never shows half-drawn.
class Canvas {
public:
    Canvas(HDC like, int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ready() const { return bitmap_.get() && dc_; }
    HDC dc() const { return dc_; }
    // The pixels, after GdiFlush, so that what GDI drew is there.
    pawlet::PixelView pixels();
    void copy_to(HDC target, int x, int y) const;

private:
    int width_, height_;
    void* bits_ = nullptr;
    OwnedGdi<HBITMAP> bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace skin_engine
