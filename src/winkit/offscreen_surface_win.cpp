#include "winkit/offscreen_surface_win.h"

#include <algorithm>

namespace pawlet {

std::unique_ptr<OffscreenSurface> OffscreenSurface::create(int width, int height) {
    std::unique_ptr<OffscreenSurface> surface(new OffscreenSurface);
    surface->width_ = std::max(width, 1);
    surface->height_ = std::max(height, 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = surface->width_;
    info.bmiHeader.biHeight = -surface->height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    surface->dc_.reset(gdi_calls().create_compatible_dc(nullptr));
    surface->bitmap_.reset(gdi_calls().create_dib_section(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!surface->dc_ || !surface->bitmap_) return nullptr;
    surface->replaced_ = gdi_calls().select_object(surface->dc(), surface->bitmap_.get());
    if (!surface->replaced_ || surface->replaced_ == HGDI_ERROR) {
        surface->replaced_ = nullptr;
        return nullptr;
    }
    surface->pixels_ = static_cast<std::uint32_t*>(bits);
    return surface;
}

OffscreenSurface::~OffscreenSurface() {
    if (replaced_) gdi_calls().select_object(dc(), replaced_);
}

}  // namespace pawlet
