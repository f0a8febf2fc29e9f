#include "shell/keyboard.h"

namespace pawlet {

KeyCommand key_command(unsigned virtual_key, Modifiers held) {
    if (virtual_key == key_escape && !held.ctrl && !held.shift && !held.alt)
        return KeyCommand::close_window;
    if (virtual_key == key_tab && !held.ctrl && !held.alt)
        return held.shift ? KeyCommand::focus_previous : KeyCommand::focus_next;
    return KeyCommand::none;
}

}  // namespace pawlet
