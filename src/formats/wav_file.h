#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/parsed.h"
#include "base/sound.h"

namespace pawlet {

// A sound may hold at most this many samples (all channels counted): 64 MiB once decoded,
// over three minutes of 44.1 kHz stereo. Longer files are refused rather than half-played.
inline constexpr std::size_t longest_sound_samples = std::size_t{1} << 24;

// The sample rates a sound may have.
inline constexpr int lowest_sound_rate = 4000;
inline constexpr int highest_sound_rate = 192000;

// Why a buffer is not a playable RIFF WAVE file: the first check it fails.
enum class WavFileFailure {
    too_short,                // under 12 bytes: no room for the RIFF header
    not_riff,                 // no "RIFF" at offset 0
    not_wave,                 // no "WAVE" at offset 8
    no_format_chunk,          // no "fmt " chunk among the chunks that lie inside the file
    format_chunk_too_short,   // "fmt " under 16 bytes, or 40 for WAVE_FORMAT_EXTENSIBLE
    no_data_chunk,            // no "data" chunk among the chunks that lie inside the file
    unsupported_encoding,     // neither integer PCM nor IEEE float, plain or extensible
    no_channels,
    too_many_channels,        // more than 2
    unsupported_sample_size,  // integer samples other than 1 to 4 bytes, float other than 4 or 8
    bad_block_align,          // the frame size is not channels x bytes per sample
    unsupported_rate,         // outside lowest_sound_rate..highest_sound_rate
    no_samples,               // the data chunk holds no whole frame
    too_long,                 // more than longest_sound_samples
};

const char* failure_name(WavFileFailure failure);

// Reads a RIFF WAVE file: integer PCM of 1 to 4 bytes per sample (8-bit unsigned, wider signed)
// or 32/64-bit IEEE float, mono or stereo, plain or WAVE_FORMAT_EXTENSIBLE. Chunks are walked to
// the end of the buffer whatever the RIFF size says, in any order, odd sizes padded; a "data"
// chunk that claims more than the file holds keeps the whole frames that are there. Float
// samples that are not finite become 0, and all samples are clamped to -1..1.
Parsed<Sound, WavFileFailure> parse_wav_file(std::span<const std::uint8_t> file);

}  // namespace pawlet
