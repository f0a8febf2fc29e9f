#include "sound_set.h"

#include <iostream>

#include "asset_names.h"
#include "cat_sounds.h"
#include "file_output.h"

namespace pawlet::art {

bool write_sounds(const std::filesystem::path& sounds_dir) {
    for (const std::string& name : sound_file_names()) {
        synth::Samples samples;
        if (!make_cat_sound(name, samples)) {
            std::cerr << "make_cat_art: no recipe for the sound " << name << "\n";
            return false;
        }
        if (!write_bytes(sounds_dir / name, synth::wav_bytes(samples))) return false;
    }
    return true;
}

}  // namespace pawlet::art
