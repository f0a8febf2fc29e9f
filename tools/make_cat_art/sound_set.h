#pragma once
#include <filesystem>

namespace pawlet::art {

// Synthesises every sound the catalogue names into `sounds_dir`, and a sheet picturing them into
// `sheets_dir`. False when one has no recipe or cannot be written.
bool write_sounds(const std::filesystem::path& sounds_dir, const std::filesystem::path& sheets_dir);

}  // namespace pawlet::art
