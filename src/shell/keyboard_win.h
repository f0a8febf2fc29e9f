#pragma once
#include "shell/keyboard.h"

namespace pawlet {

// The modifier keys held down as the message being handled was posted.
Modifiers held_modifiers();

}  // namespace pawlet
