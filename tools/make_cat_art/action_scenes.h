#pragma once
#include "scene.h"

namespace pawlet::art {

inline constexpr double frame_seconds = 0.05;  // the program shows one frame every 50 ms

// The scene of an action (1..17) at `seconds` from its first frame; `total` is the time of its
// last frame. Both ends are the resting pose, so the cat never jumps from or to the idle picture.
Scene action_scene(int action, double seconds, double total);

// The three idle pictures in the order they are shown.
Scene blink_scene(int picture);

}  // namespace pawlet::art
