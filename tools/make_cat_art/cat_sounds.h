#pragma once
#include <string_view>

#include "synth.h"

namespace pawlet::art {

// The sound for a file name the catalogue uses; false when there is no recipe for it.
// Each recipe is timed to its action's frames, counted from the moment its cue fires.
bool make_cat_sound(std::string_view file_name, synth::Samples& out);

}  // namespace pawlet::art
