#pragma once

namespace pawlet {

// Virtual-key codes the main window reacts to (same values as the Windows VK_ codes).
inline constexpr unsigned key_tab = 0x09;
inline constexpr unsigned key_escape = 0x1B;

enum class KeyCommand { none, close_window, focus_next, focus_previous };

struct Modifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    // The bits a press event carries them in: 1 Ctrl, 2 Shift, 4 Alt.
    int bits() const { return (ctrl ? 1 : 0) | (shift ? 2 : 0) | (alt ? 4 : 0); }
};

// A key press that reached the active main window: Escape alone closes it; Tab and Shift+Tab
// move the focus between the tab stops. Everything else (Enter included) goes on unhandled.
KeyCommand key_command(unsigned virtual_key, Modifiers held);

}  // namespace pawlet
