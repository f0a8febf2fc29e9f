#include "change_picker.h"

#include <cstdint>
#include <cstdlib>

namespace pawlet::art {

double changed_share(cairo_surface_t* a, cairo_surface_t* b) {
    cairo_surface_flush(a);
    cairo_surface_flush(b);
    const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    const int stride_a = cairo_image_surface_get_stride(a), stride_b = cairo_image_surface_get_stride(b);
    const unsigned char* da = cairo_image_surface_get_data(a);
    const unsigned char* db = cairo_image_surface_get_data(b);
    constexpr int visible = 24;  // per colour channel, of 255
    long changed = 0;
    for (int y = 0; y < h; ++y) {
        const auto* ra = reinterpret_cast<const std::uint32_t*>(da + static_cast<std::ptrdiff_t>(y) * stride_a);
        const auto* rb = reinterpret_cast<const std::uint32_t*>(db + static_cast<std::ptrdiff_t>(y) * stride_b);
        for (int x = 0; x < w; ++x) {
            for (int shift = 0; shift < 24; shift += 8) {
                const int ca = static_cast<int>(ra[x] >> shift & 0xFF), cb = static_cast<int>(rb[x] >> shift & 0xFF);
                if (std::abs(ca - cb) > visible) {
                    ++changed;
                    break;
                }
            }
        }
    }
    return static_cast<double>(changed) / (static_cast<double>(w) * h);
}

std::vector<std::size_t> frames_that_change(const std::vector<cairo_surface_t*>& frames, std::size_t most) {
    constexpr double visible_share = 0.005;
    std::vector<std::size_t> changed;
    for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
        if (changed_share(frames[i], frames[i - 1]) >= visible_share) changed.push_back(i);
    }
    if (changed.size() <= most || most < 2) return changed;
    // Evenly spread over the changing frames, so a long action shows its whole course.
    std::vector<std::size_t> picked;
    for (std::size_t k = 0; k < most; ++k) picked.push_back(changed[k * (changed.size() - 1) / (most - 1)]);
    return picked;
}

}  // namespace pawlet::art
