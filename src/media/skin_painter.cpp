#include "media/skin_painter.h"

#include <algorithm>

namespace pawlet {
namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba from_colour(SkinColour c, int alpha = 255) {
    return {static_cast<int>(c >> 16 & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c & 0xFF), alpha};
}

Rgba from_pixel(std::span<const std::uint8_t> bgra, std::size_t index) {
    const std::size_t i = index * 4;
    return {bgra[i + 2], bgra[i + 1], bgra[i], bgra[i + 3]};
}

Rgba mix(Rgba a, Rgba b, int t, int range) {  // a at 0, b at range
    if (range <= 0) return a;
    const auto lerp = [&](int x, int y) { return x + (y - x) * t / range; };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

// Blends `c` over the pixel at (x, y), its alpha scaled by coverage/256.
void blend(PixelView v, int x, int y, Rgba c, int coverage = 256) {
    if (x < 0 || y < 0 || x >= v.width || y >= v.height) return;
    const int a = c.a * coverage / 256;
    if (a <= 0) return;
    std::uint32_t& p = v.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(v.width) + static_cast<std::size_t>(x)];
    const int r = static_cast<int>(p >> 16 & 0xFF), g = static_cast<int>(p >> 8 & 0xFF), b = static_cast<int>(p & 0xFF);
    const auto over = [a](int src, int dst) { return (src * a + dst * (255 - a) + 127) / 255; };
    p = 0xFF000000u | static_cast<std::uint32_t>(over(c.r, r)) << 16 | static_cast<std::uint32_t>(over(c.g, g)) << 8 |
        static_cast<std::uint32_t>(over(c.b, b));
}

// Which pixel of a picture of `size` a coordinate of an area of `extent` maps to, keeping
// `slice` pixels at both ends as they are and stretching the middle.
int sliced(int at, int extent, int size, int slice) {
    if (at < slice) return at;
    if (at >= extent - slice) return size - (extent - at);
    const int middle = size - 2 * slice, stretched = extent - 2 * slice;
    return slice + (stretched > 0 ? (at - slice) * middle / stretched : 0);
}

// The colour of a fill at (x, y) of an area of w x h: what paint_fill puts there, and what
// the button's rounded shape takes its pixels from.
Rgba fill_colour(const SkinFill& fill, const Skin& skin, int x, int y, int w, int h, Rgba under) {
    switch (fill.kind) {
    case FillKind::solid: return from_colour(fill.a);
    case FillKind::gradient: return mix(from_colour(fill.a), from_colour(fill.b), y, h > 1 ? h - 1 : 1);
    case FillKind::stretched: {
        const SkinPicture& p = skin.pictures[static_cast<std::size_t>(fill.picture)];
        const int px = sliced(x, w, p.width, fill.slice), py = sliced(y, h, p.height, fill.slice);
        const Rgba c = from_pixel(p.pixels, static_cast<std::size_t>(py) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(px));
        return mix(under, {c.r, c.g, c.b, 255}, c.a, 255);
    }
    case FillKind::tiled: {
        const SkinPicture& p = skin.pictures[static_cast<std::size_t>(fill.picture)];
        const Rgba c = from_pixel(p.pixels, static_cast<std::size_t>(y % p.height) * static_cast<std::size_t>(p.width) +
                                                static_cast<std::size_t>(x % p.width));
        return mix(from_colour(fill.a), {c.r, c.g, c.b, 255}, c.a, 255);
    }
    }
    return under;
}

std::uint32_t& pixel(PixelView v, int x, int y) {
    return v.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(v.width) + static_cast<std::size_t>(x)];
}

Rgba read(PixelView v, int x, int y) {
    const std::uint32_t p = pixel(v, x, y);
    return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF), 255};
}

// How much of the pixel (x, y) lies inside a rectangle of w x h with corners of radius r, in
// 1/256: 4 x 4 samples per pixel.
int rounded_coverage(int x, int y, int w, int h, int r) {
    if (r <= 0) return x >= 0 && y >= 0 && x < w && y < h ? 256 : 0;
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            // Sample positions in 1/8 pixel.
            const int px = x * 8 + sx * 2 + 1, py = y * 8 + sy * 2 + 1;
            const int r8 = r * 8, w8 = w * 8, h8 = h * 8;
            if (px < 0 || py < 0 || px >= w8 || py >= h8) continue;
            const int cx = std::clamp(px, r8, w8 - r8), cy = std::clamp(py, r8, h8 - r8);
            const int dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= r8 * r8) ++inside;
        }
    }
    return inside * 16;
}

Rect clipped(PixelView v, Rect area) { return intersect(area, Rect{0, 0, v.width, v.height}); }

}  // namespace

void paint_fill(PixelView view, Rect area, const SkinFill& fill, const Skin& skin) {
    const Rect c = clipped(view, area);
    for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x) {
            const Rgba colour = fill_colour(fill, skin, x - area.left, y - area.top, area.width(), area.height(), read(view, x, y));
            blend(view, x, y, colour);
        }
}

void paint_window_face(PixelView view, Rect area, const Skin& skin, bool aero) {
    paint_fill(view, area, skin.face, skin);
    const Rect c = clipped(view, area);
    for (int i = 0; i < skin.edge_width; ++i) {
        const Rgba light = from_colour(skin.edge_light), dark = from_colour(skin.edge_dark);
        for (int x = area.left + i; x < area.right - i; ++x) {
            blend(view, x, area.top + i, light);
            blend(view, x, area.bottom - 1 - i, dark);
        }
        for (int y = area.top + i; y < area.bottom - i; ++y) {
            blend(view, area.left + i, y, light);
            blend(view, area.right - 1 - i, y, dark);
        }
    }
    if (!aero) return;
    // A glow that fades over six pixels inside the edge.
    constexpr int glow = 6;
    for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x) {
            const int from_edge = std::min({x - area.left, y - area.top, area.right - 1 - x, area.bottom - 1 - y}) - skin.edge_width;
            if (from_edge < 0 || from_edge >= glow) continue;
            blend(view, x, y, from_colour(skin.aero_tint, 150 * (glow - from_edge) / glow));
        }
}

void paint_label_back(PixelView view, Rect area, const Skin& skin) { paint_fill(view, area, skin.label_back, skin); }

void paint_button(PixelView view, Rect area, const Skin& skin, ButtonState state, bool aero) {
    const SkinButtonFace& face = skin.button[state];
    const int w = area.width(), h = area.height();
    const int radius = std::min({skin.corner_radius, w / 2, h / 2});
    const int border = skin.border_width;
    const int inner_radius = std::max(0, radius - border);
    const Rect c = clipped(view, area);
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) {
            const int bx = x - area.left, by = y - area.top;
            const int outer = rounded_coverage(bx, by, w, h, radius);
            if (outer == 0) continue;
            const int inner = border > 0 ? rounded_coverage(bx - border, by - border, w - 2 * border, h - 2 * border, inner_radius) : outer;
            Rgba body = fill_colour(face.fill, skin, bx, by, w, h, read(view, x, y));
            if (aero) {
                // Glass: a highlight over the top half that fades downwards, brighter at the top edge.
                const int half = h / 2;
                if (by < half) body = mix(body, {255, 255, 255, 255}, 110 - 60 * by / std::max(1, half), 255);
                else body = mix(body, from_colour(skin.aero_tint), 40 * (by - half) / std::max(1, h - half), 255);
            }
            blend(view, x, y, from_colour(face.border), outer);
            blend(view, x, y, body, inner);
        }
    }
}

void paint_focus_ring(PixelView view, Rect area, const Skin& skin) {
    const int inset = skin.border_width + std::max(2, skin.corner_radius / 3);
    const Rect r{area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
    if (r.empty()) return;
    const Rgba colour = from_colour(skin.focus_ring);
    for (int x = r.left; x < r.right; x += 2) {
        blend(view, x, r.top, colour);
        blend(view, x, r.bottom - 1, colour);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        blend(view, r.left, y, colour);
        blend(view, r.right - 1, y, colour);
    }
}

Rect button_caption_area(Rect area, const Skin& skin, ButtonState state) {
    const int inset = skin.border_width + 2;
    Rect r{area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
    if (state == button_pressed) {
        ++r.left, ++r.top, ++r.right, ++r.bottom;
    }
    return r;
}

}  // namespace pawlet
