#include "shell/keyboard_win.h"

#include <windows.h>

namespace pawlet {

Modifiers held_modifiers() {
    return {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace pawlet
