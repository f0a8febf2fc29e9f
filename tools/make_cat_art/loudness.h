#pragma once
#include "synth.h"

// Matching the sounds' loudness: each is judged by its loudest tenth of a second, so a sound with
// silence around a short event is not judged quieter than it sounds.
namespace pawlet::art::synth {

inline constexpr double loudness_target_db = -10;
inline constexpr double level_ceiling = 0.89;       // the peak every finished sound has
inline constexpr double quietest_peak = 0.80;       // a louder sound is turned down no further
inline constexpr double most_boost_db = 14;

// RMS of the loudest 100 ms, in dB of full scale; -120 for silence.
double loudest_rms_db(const Samples& s);

// Time of the first sample that reaches a tenth of the peak: where the sound is first heard.
double onset_seconds(const Samples& s);

// Brings a finished sound (peak at level_ceiling) towards loudness_target_db: a quiet one is
// turned up, by most_boost_db in all, its peaks held under the ceiling by a look-ahead limiter;
// a loud one is turned down as far as quietest_peak allows.
void level_loudness(Samples& s);

}  // namespace pawlet::art::synth
