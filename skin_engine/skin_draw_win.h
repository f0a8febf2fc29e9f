#pragma once
#include <windows.h>

#include "engine_win.h"

namespace skin_engine {

// Each draws the whole of its part of a window in the attached skin.
void draw_face(HWND window, HDC dc, Engine& engine);                 // top-level client area
void draw_push_button(HWND window, HDC dc, Engine& engine, bool hot);
void draw_label(HWND window, HDC dc, Engine& engine);
void draw_border(HWND window, Engine& engine);                       // a child's non-client edge

}  // namespace skin_engine
