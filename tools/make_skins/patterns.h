#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin_source.h"

namespace pawlet::skins {

// Draws a picture of a skin: B, G, R, A bytes (not premultiplied), top row first. Empty when
// the pattern is unknown. Patterns: paws, dots, stripes, hearts, stars, fish, checks, waves,
// bubbles (tiles, in `colour` at `alpha` on clear) and bevel (a button face from `colour` at
// the top to `second` at the bottom, lit at the top left; stretch it with a slice of a quarter).
std::vector<std::uint8_t> draw_pattern(const PictureSource& source);

}  // namespace pawlet::skins
