#include "sound_set.h"

#include <iostream>

#include "asset_names.h"
#include "cat_sounds.h"
#include "pet/action_catalogue.h"
#include "sound_sheet.h"
#include "write_file.h"

namespace pawlet::art {

bool write_sounds(const std::filesystem::path& sounds_dir, const std::filesystem::path& sheets_dir) {
    std::vector<NamedSound> sounds;
    for (const std::string& name : all_sound_file_names()) {
        synth::Samples samples;
        if (!make_cat_sound(name, samples)) {
            std::cerr << "make_cat_art: no recipe for the sound " << name << "\n";
            return false;
        }
        if (!tool_files::write_file(sounds_dir / name, synth::wav_bytes(samples))) {
            std::cerr << "make_cat_art: cannot write " << sounds_dir / name << "\n";
            return false;
        }
        sounds.push_back({name, std::move(samples)});
    }
    return write_sound_sheet(sheets_dir / "sounds.png", sounds);
}

}  // namespace pawlet::art
