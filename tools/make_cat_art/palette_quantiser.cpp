#include "palette_quantiser.h"

#include <algorithm>
#include <array>
#include <map>

namespace pawlet::art {
namespace {

struct Swatch {
    Rgb colour;
    std::size_t count;
};

std::uint8_t channel(const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

// A box of the colour cube holding some of the picture's colours.
struct ColourBox {
    std::vector<Swatch> swatches;

    std::size_t pixels() const {
        std::size_t n = 0;
        for (const Swatch& s : swatches) n += s.count;
        return n;
    }
    // The axis with the widest spread, and that spread.
    std::pair<int, int> widest_axis() const {
        int best_axis = 0, best_range = -1;
        for (int axis = 0; axis < 3; ++axis) {
            int lo = 255, hi = 0;
            for (const Swatch& s : swatches) {
                lo = std::min<int>(lo, channel(s.colour, axis));
                hi = std::max<int>(hi, channel(s.colour, axis));
            }
            if (hi - lo > best_range) best_axis = axis, best_range = hi - lo;
        }
        return {best_axis, best_range};
    }
    Rgb mean() const {
        std::array<std::size_t, 3> sum{};
        const std::size_t n = pixels();
        for (const Swatch& s : swatches)
            for (int axis = 0; axis < 3; ++axis) sum[static_cast<std::size_t>(axis)] += channel(s.colour, axis) * s.count;
        auto avg = [&](int axis) { return static_cast<std::uint8_t>((sum[static_cast<std::size_t>(axis)] + n / 2) / n); };
        return {avg(0), avg(1), avg(2)};
    }
};

// Splits the box whose widest spread, weighted by its pixels, is largest, at the weighted median
// of that spread, until there are `count` boxes or nothing left to split.
std::vector<ColourBox> median_cut(std::vector<Swatch> swatches, std::size_t count) {
    std::vector<ColourBox> boxes{ColourBox{std::move(swatches)}};
    while (boxes.size() < count) {
        std::size_t pick = boxes.size();
        double best = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].swatches.size() < 2) continue;
            const double score = static_cast<double>(boxes[i].widest_axis().second) * static_cast<double>(boxes[i].pixels());
            if (pick == boxes.size() || score > best) pick = i, best = score;
        }
        if (pick == boxes.size()) break;
        ColourBox& box = boxes[pick];
        const int axis = box.widest_axis().first;
        std::stable_sort(box.swatches.begin(), box.swatches.end(), [axis](const Swatch& a, const Swatch& b) {
            return channel(a.colour, axis) < channel(b.colour, axis);
        });
        const std::size_t half = box.pixels() / 2;
        std::size_t seen = 0, cut = 1;
        for (std::size_t i = 0; i + 1 < box.swatches.size(); ++i) {
            seen += box.swatches[i].count;
            cut = i + 1;
            if (seen >= half) break;
        }
        ColourBox upper{std::vector<Swatch>(box.swatches.begin() + static_cast<std::ptrdiff_t>(cut), box.swatches.end())};
        box.swatches.resize(cut);
        boxes.push_back(std::move(upper));
    }
    return boxes;
}

}  // namespace

IndexedPicture quantise(cairo_surface_t* surface, int max_colours) {
    cairo_surface_flush(surface);
    IndexedPicture out;
    out.width = cairo_image_surface_get_width(surface);
    out.height = cairo_image_surface_get_height(surface);
    const std::size_t size = static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height);
    out.indexes.assign(size, 0);
    out.transparent.assign(size, true);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    std::vector<Rgb> colours(size);
    std::map<std::uint32_t, std::size_t> histogram;  // ordered: the palette comes out the same every run
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < out.width; ++x) {
            const std::uint32_t v = row[x];
            const unsigned a = v >> 24;
            if (a < 128) continue;
            auto straight = [a](unsigned c) { return static_cast<std::uint8_t>(std::min(255u, (c * 255 + a / 2) / a)); };
            const Rgb c{straight((v >> 16) & 0xFF), straight((v >> 8) & 0xFF), straight(v & 0xFF)};
            const std::size_t i = out.at(x, y);
            out.transparent[i] = false;
            colours[i] = c;
            ++histogram[std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b];
        }
    }

    std::vector<Swatch> swatches;
    for (const auto& [key, count] : histogram)
        swatches.push_back({{static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 8), static_cast<std::uint8_t>(key)}, count});
    if (swatches.empty()) return out;

    std::map<std::uint32_t, std::uint8_t> index_of;
    const auto boxes = median_cut(std::move(swatches), static_cast<std::size_t>(std::clamp(max_colours, 1, 256)));
    for (const ColourBox& box : boxes) {
        const auto index = static_cast<std::uint8_t>(out.palette.size());
        out.palette.push_back(box.mean());
        for (const Swatch& s : box.swatches)
            index_of[std::uint32_t{s.colour.r} << 16 | std::uint32_t{s.colour.g} << 8 | s.colour.b] = index;
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (out.transparent[i]) continue;
        out.indexes[i] = index_of.at(std::uint32_t{colours[i].r} << 16 | std::uint32_t{colours[i].g} << 8 | colours[i].b);
    }
    return out;
}

}  // namespace pawlet::art
