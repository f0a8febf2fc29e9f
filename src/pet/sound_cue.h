#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pawlet {

// The sound files that action `action`'s cue plays, in the order they start (all at once):
// the catalogue's files, or for the random fart one of "fart001.wav".."fart003.wav", drawn after
// reseeding from `tick_count`. Empty for the idle state, actions without sound and unknown numbers.
std::vector<std::string> sound_cue_files(int action, std::uint64_t tick_count);

}  // namespace pawlet
