#pragma once
#include <windows.h>

namespace skin_engine {

// What the engine draws of a window.
enum class WindowKind {
    top_level,    // the face and edge, and the colours of controls it does not draw
    push_button,  // all of it, in each state
    text_label,   // background and text
    bordered,     // a child's border only
};

// A window the engine has taken over: its own procedure stays in `original` and gets every
// message the engine does not answer itself.
struct SkinnedWindow {
    HWND window = nullptr;
    WNDPROC original = nullptr;
    WindowKind kind = WindowKind::top_level;
    bool hot = false;             // push buttons: the pointer is over it
    bool made_layered = false;    // top-level: translucency added by the engine
    SkinnedWindow* next = nullptr;
    SkinnedWindow* previous = nullptr;
};

// Which kind a window is, or false when the engine leaves it alone.
bool window_kind(HWND window, DWORD style, WindowKind& kind);

// The procedure that stands in front of every skinned window's own.
LRESULT CALLBACK skinned_window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);

}  // namespace skin_engine
