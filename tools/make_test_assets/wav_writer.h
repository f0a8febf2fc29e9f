#pragma once
#include <filesystem>

namespace pawlet::test_assets {

// Writes a short 16-bit mono PCM WAV (22050 Hz) with a sine tone of `frequency` Hz, faded in and
// out so that it does not click. Throws std::runtime_error when the file cannot be written.
void write_tone_wav(const std::filesystem::path& path, double frequency, double seconds);

}  // namespace pawlet::test_assets
