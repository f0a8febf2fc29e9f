#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "synth.h"

namespace pawlet::art {

struct NamedSound {
    std::string name;
    synth::Samples samples;
};

// A PNG with each sound's waveform and spectrogram on a common time scale, to look at the
// sounds without playing them.
bool write_sound_sheet(const std::filesystem::path& png, const std::vector<NamedSound>& sounds);

}  // namespace pawlet::art
