#pragma once
#include <cstdint>

#include "base/geometry.h"
#include "formats/skin_file.h"

namespace pawlet {

// Pixels to paint on, laid out as a 32-bit top-down DIB (B, G, R, A bytes); not owned.
struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// What the skin engine and the tool that previews the skins paint the same way; the caption
// and the label's text are drawn by each with its own text renderer on top.
// `area` is where the window lies in `view`; painting is clipped to the view.

// The main window's face and the edge round its outer rectangle; with aero, a soft glow of the
// Aero tint inside the edge.
void paint_window_face(PixelView view, Rect area, const Skin& skin, bool aero);

// The label's background.
void paint_label_back(PixelView view, Rect area, const Skin& skin);

// The push button's body in one state: rounded corners blended onto what is already there,
// border, face; with aero a glassy highlight over the top half.
void paint_button(PixelView view, Rect area, const Skin& skin, ButtonState state, bool aero);

// A dotted ring inside the button's border, in the focus colour.
void paint_focus_ring(PixelView view, Rect area, const Skin& skin);

// Where a caption goes inside the button: inside the border, one pixel lower and to the right
// when pressed.
Rect button_caption_area(Rect area, const Skin& skin, ButtonState state);

// Any fill over an area (used by all of the above).
void paint_fill(PixelView view, Rect area, const SkinFill& fill, const Skin& skin);

}  // namespace pawlet
