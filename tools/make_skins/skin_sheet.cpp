#include "skin_sheet.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cairo_handles.h"
#include "media/skin_painter.h"
#include "shell/layout.h"

namespace pawlet::skins {
namespace {
using art::Context;
using art::make_context;
using art::SavedState;
using art::Surface;

// The part of the window the sheet shows: from the top of the label to the bottom.
constexpr int strip_top = 480;
constexpr int strip_width = run_window_width, strip_height = run_window_height - strip_top;

// The label's five lines as the program shows them (shell/maker_texts.h, in UTF-8).
constexpr const char* label_lines[] = {"Pawlet  PC版  V1.1", "© 2026 Pawlet Makers", "Pawlet Cat Lovers & Friends",
                                       "https://pawlet.example.org/", "IM: pawlet@chat.example.org"};
constexpr const char* caption = "关闭";

Rect in_strip(const ControlLayout& control) {
    const Rect& b = control.bounds;
    return {b.left, b.top - strip_top, b.right, b.bottom - strip_top};
}

void set_colour(cairo_t* cr, SkinColour c) {
    cairo_set_source_rgb(cr, (c >> 16 & 0xFF) / 255.0, (c >> 8 & 0xFF) / 255.0, (c & 0xFF) / 255.0);
}

// The font's height is its line spacing, as in the engine's GDI fonts. cairo's toy text has
// no per-glyph fallback, so the sheet draws in the face Wine links the Chinese glyphs to.
void select_font(cairo_t* cr, const SkinFont& font) {
    cairo_select_font_face(cr, "WenQuanYi Micro Hei", font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.height);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    if (fe.height > 0) cairo_set_font_size(cr, font.height * font.height / fe.height);
}

Surface draw_strip(const Skin& skin, ButtonState state, bool with_text = true, bool ring = false) {
    Surface strip(cairo_image_surface_create(CAIRO_FORMAT_RGB24, strip_width, strip_height));
    cairo_surface_flush(strip.get());
    // RGB24 pixels are 32-bit 0x00RRGGBB words, rows of width * 4 bytes at this width: a DIB.
    PixelView view{reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(strip.get())), strip_width, strip_height};
    const Rect label = in_strip(main_window_layout[credits_label]);
    const Rect button = in_strip(main_window_layout[close_button]);
    paint_window_face(view, Rect{0, -strip_top, strip_width, strip_height}, skin, true);
    paint_label_back(view, label, skin);
    paint_button(view, button, skin, state, true);
    if (ring) paint_focus_ring(view, button, skin);
    cairo_surface_mark_dirty(strip.get());
    if (!with_text) return strip;

    Context cr = make_context(strip.get());
    select_font(cr.get(), skin.label_font);
    set_colour(cr.get(), skin.label_text);
    cairo_font_extents_t fe;
    cairo_font_extents(cr.get(), &fe);
    double y = label.top + skin.label_padding + fe.ascent;
    for (const char* line : label_lines) {
        cairo_move_to(cr.get(), label.left + skin.label_padding, y);
        cairo_show_text(cr.get(), line);
        y += fe.height;
    }
    select_font(cr.get(), skin.button_font);
    set_colour(cr.get(), skin.button[state].text);
    const Rect text_area = button_caption_area(button, skin, state);
    cairo_text_extents_t te;
    cairo_text_extents(cr.get(), caption, &te);
    cairo_font_extents(cr.get(), &fe);
    cairo_move_to(cr.get(), text_area.left + (text_area.width() - te.x_advance) / 2,
                  text_area.top + (text_area.height() - fe.height) / 2 + fe.ascent);
    cairo_show_text(cr.get(), caption);
    return strip;
}

}  // namespace

bool write_reference_strips(const std::filesystem::path& dir, const Skin& skin) {
    struct Shown {
        ButtonState state;
        bool ring;
        const char* name;
    };
    constexpr Shown states[] = {{button_normal, false, "normal"},
                                {button_hot, false, "hot"},
                                {button_pressed, false, "pressed"},
                                {button_pressed, true, "pressed-focused"},
                                {button_focused, true, "focused"}};
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const auto& [state, ring, name] : states) {
        Surface strip = draw_strip(skin, state, false, ring);
        cairo_surface_flush(strip.get());
        const unsigned char* data = cairo_image_surface_get_data(strip.get());
        const int stride = cairo_image_surface_get_stride(strip.get());
        std::string ppm = "P6\n" + std::to_string(strip_width) + " " + std::to_string(strip_height) + "\n255\n";
        for (int y = 0; y < strip_height; ++y)
            for (int x = 0; x < strip_width; ++x) {
                const unsigned char* p = data + y * stride + x * 4;  // B, G, R, unused
                ppm += static_cast<char>(p[2]);
                ppm += static_cast<char>(p[1]);
                ppm += static_cast<char>(p[0]);
            }
        std::FILE* f = std::fopen((dir / (std::string(name) + ".ppm")).string().c_str(), "wb");
        if (!f) return false;
        const bool ok = std::fwrite(ppm.data(), 1, ppm.size(), f) == ppm.size();
        if (std::fclose(f) != 0 || !ok) return false;
    }
    return true;
}

bool write_skin_sheet(const std::filesystem::path& png, const std::vector<Skin>& skins) {
    constexpr int columns = 3, margin = 10, gap = 6, title_h = 20;
    const int cell_w = 2 * strip_width + gap, cell_h = title_h + strip_height;
    const int rows = static_cast<int>((skins.size() + columns - 1) / columns);
    const int width = 2 * margin + columns * cell_w + (columns - 1) * 3 * gap;
    const int height = 2 * margin + rows * (cell_h + 2 * gap);
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    Context cr = make_context(sheet.get());
    cairo_set_source_rgb(cr.get(), 0.2, 0.2, 0.22);
    cairo_paint(cr.get());
    for (std::size_t i = 0; i < skins.size(); ++i) {
        const int col = static_cast<int>(i % columns), row = static_cast<int>(i / columns);
        const double x0 = margin + col * (cell_w + 3 * gap), y0 = margin + row * (cell_h + 2 * gap);
        cairo_set_source_rgb(cr.get(), 0.95, 0.93, 0.9);
        cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr.get(), 13);
        cairo_move_to(cr.get(), x0, y0 + 14);
        const std::string title = std::to_string(i + 1) + "  " + skins[i].name.data() + "   (normal, pressed)";
        cairo_show_text(cr.get(), title.c_str());
        int x = static_cast<int>(x0);
        for (ButtonState state : {button_normal, button_pressed}) {
            Surface strip = draw_strip(skins[i], state);
            SavedState keep(cr.get());
            cairo_set_source_surface(cr.get(), strip.get(), x, y0 + title_h);
            cairo_paint(cr.get());
            x += strip_width + gap;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(png.parent_path(), ec);
    return cairo_surface_write_to_png(sheet.get(), png.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace pawlet::skins
