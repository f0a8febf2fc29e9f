#include "cursor_art.h"

#include <iostream>
#include <vector>

#include "cairo_handles.h"
#include "cursor_encoder.h"
#include "cursor_pictures.h"
#include "cursor_sheet.h"
#include "hand_pointer.h"
#include "palette_quantiser.h"
#include "shell/pointer_choice.h"
#include "write_file.h"

namespace pawlet::art {
namespace {

// What the program will show: the indexed picture back in ARGB, masked pixels clear.
Surface shown_picture(const IndexedPicture& picture) {
    Surface out = make_surface(picture.width, picture.height);
    cairo_surface_flush(out.get());
    const int stride = cairo_image_surface_get_stride(out.get());
    unsigned char* data = cairo_image_surface_get_data(out.get());
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = picture.at(x, y);
            const Rgb c = picture.palette.empty() ? Rgb{} : picture.palette[picture.indexes[i]];
            row[x] = picture.transparent[i] ? 0u : 0xFF000000u | std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b;
        }
    }
    cairo_surface_mark_dirty(out.get());
    return out;
}

Surface shown_hand(const std::vector<MonoPixel>& hand) {
    IndexedPicture picture;
    picture.width = picture.height = hand_pointer_side;
    picture.palette = {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
    for (MonoPixel p : hand) {
        picture.indexes.push_back(p == MonoPixel::white ? 1 : 0);
        picture.transparent.push_back(p == MonoPixel::clear);
    }
    return shown_picture(picture);
}

bool write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    if (tool_files::write_file(path, bytes)) return true;
    std::cerr << "make_cat_art: cannot write " << path << "\n";
    return false;
}

}  // namespace

std::filesystem::path cursor_block_path(const std::filesystem::path& art_dir, EmbeddedCursor cursor) {
    return art_dir / "cursors" / (std::string(embedded_cursors[cursor].name) + ".block");
}

bool write_cursor_art(const std::filesystem::path& art_dir) {
    std::vector<Surface> shown;
    std::vector<SheetCursor> sheet;
    for (int i = 0; i < static_cast<int>(embedded_cursors.size()); ++i) {
        const auto cursor = static_cast<EmbeddedCursor>(i);
        const EmbeddedCursorFacts& facts = embedded_cursors[cursor];
        const Surface drawn = draw_embedded_cursor(cursor);
        // 255 colours: palette index 0 stays black for the masked pixels.
        const IndexedPicture picture = quantise(drawn.get(), 255);
        const auto file = encode_palette_cursor(picture, facts.hotspot_x, facts.hotspot_y);
        if (!write(cursor_block_path(art_dir, cursor), embedded_block(file))) return false;
        shown.push_back(shown_picture(picture));
        sheet.push_back({facts.name, shown.back().get(), facts.hotspot_x, facts.hotspot_y, 48, 32});
    }
    const std::vector<MonoPixel> hand = draw_hand_pointer();
    if (!write(art_dir / hand_cursor_file,
               encode_monochrome_cursor(hand_pointer_side, hand, hand_pointer_hotspot_x, hand_pointer_hotspot_y)))
        return false;
    shown.push_back(shown_hand(hand));
    sheet.push_back({"hand", shown.back().get(), hand_pointer_hotspot_x, hand_pointer_hotspot_y, 0, hand_pointer_side});
    if (!write_cursor_sheet(art_dir / cursor_sheet_file, sheet, 4)) {
        std::cerr << "make_cat_art: cannot write the cursor sheet\n";
        return false;
    }
    return true;
}

}  // namespace pawlet::art
