#pragma once
#include <cstdint>

namespace pawlet {

// The program's random choices: the generator is reseeded from the millisecond tick count right
// before every draw, so a draw depends only on that count. Gives a whole number in low..high
// (both included), each equally likely; ticks that differ by as little as 1 give unrelated draws.
int draw_after_reseed(std::uint64_t tick_count, int low, int high);

}  // namespace pawlet
