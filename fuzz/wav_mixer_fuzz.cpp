// A sound file's bytes through the WAV parser and, when it plays, through the mixer at the
// player's rate together with a second voice, to the end of both.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/wav_file.h"
#include "media/mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto sound = pawlet::parse_wav_file({data, size});
    if (!sound) return 0;
    for (const float s : sound->samples)
        if (!std::isfinite(s) || s < -1.0f || s > 1.0f) __builtin_trap();

    // One mixer for the run, as the player keeps one: its rate converters are kept between sounds.
    static pawlet::Mixer mixer(44100);
    pawlet::Sound other = *sound;
    mixer.add(std::move(*sound));
    std::vector<std::int16_t> out(2 * 512);
    // The rate conversion may stretch a sound up to 44100 / lowest_sound_rate times; past that
    // bound the mixer has failed to end a voice.
    const std::size_t frames_in = other.frames() + pawlet::Mixer::delay_frames + 1024;
    const std::size_t bound = frames_in * 12 / 512 + 4;
    std::size_t rounds = 0;
    while (mixer.playing()) {
        if (rounds == 1) mixer.add(other);  // a second voice that starts mid-way
        mixer.mix(out);
        if (++rounds > 2 * bound) __builtin_trap();
    }
    return 0;
}
