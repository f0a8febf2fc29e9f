#include "canvas_win.h"

namespace skin_engine {

Canvas::Canvas(HDC like, int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as the painter expects
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.reset(static_cast<HBITMAP>(count_made(CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits_, nullptr, 0))));
    if (!bitmap_.get()) return;
    dc_ = make_memory_dc(like);
    if (dc_) previous_ = SelectObject(dc_, bitmap_.get());
}

Canvas::~Canvas() {
    // Windows refuses to delete a bitmap still selected into a DC.
    if (dc_ && previous_) SelectObject(dc_, previous_);
    delete_memory_dc(dc_);
}

pawlet::PixelView Canvas::pixels() {
    GdiFlush();
    return {static_cast<std::uint32_t*>(bits_), width_, height_};
}

void Canvas::copy_to(HDC target, int x, int y) const {
    if (ready()) BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace skin_engine
