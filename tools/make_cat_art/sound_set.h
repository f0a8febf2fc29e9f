#pragma once
#include <filesystem>

namespace pawlet::art {

// Synthesises every sound the catalogue names into `sounds_dir`. False when one has no recipe
// or cannot be written.
bool write_sounds(const std::filesystem::path& sounds_dir);

}  // namespace pawlet::art
