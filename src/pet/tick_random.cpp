#include "pet/tick_random.h"

namespace pawlet {
namespace {

// SplitMix64: one step scrambles every bit of the seed, so neighbouring tick counts (and the
// 15.6 ms steps of the Windows tick) still spread evenly.
std::uint64_t split_mix(std::uint64_t seed) {
    std::uint64_t z = seed + 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

}  // namespace

int draw_after_reseed(std::uint64_t tick_count, int low, int high) {
    if (high <= low) return low;
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low) + 1;
    // The top 32 bits scaled onto the span: for spans this small the bias is far below 1e-9.
    const std::uint64_t top = split_mix(tick_count) >> 32;
    return low + static_cast<int>((top * span) >> 32);
}

}  // namespace pawlet
