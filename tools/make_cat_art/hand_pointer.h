#pragma once
#include <vector>

#include "cursor_encoder.h"

namespace pawlet::art {

// The program's pointing hand: a white hand with a black outline, index finger up, on a
// transparent square of hand_pointer_side pixels, rows top first. The finger's tip is the pixel
// at the hotspot.
std::vector<MonoPixel> draw_hand_pointer();

}  // namespace pawlet::art
