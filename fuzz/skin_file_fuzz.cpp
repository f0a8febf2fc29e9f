// A skin's bytes through the skin parser and, when it is accepted, through the painter that the
// skin engine draws the window, the label and the button with.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/skin_file.h"
#include "media/skin_painter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto skin = pawlet::parse_skin({data, size});
    if (!skin) return 0;
    constexpr int width = 64, height = 48;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const pawlet::PixelView view{pixels.data(), width, height};
    pawlet::paint_window_face(view, {-3, -2, 70, 50}, *skin, true);
    pawlet::paint_label_back(view, {2, 30, 40, 46}, *skin);
    for (int state = 0; state < pawlet::button_state_count; ++state)
        pawlet::paint_button(view, {20, 4, 62, 26}, *skin, static_cast<pawlet::ButtonState>(state), state % 2 == 0);
    pawlet::paint_focus_ring(view, {20, 4, 62, 26}, *skin);
    pawlet::paint_button(view, {1, 1, 3, 3}, *skin, pawlet::button_pressed, true);  // smaller than its corners
    return 0;
}
