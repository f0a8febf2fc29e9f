#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// A small synthesiser for the cat's sounds: mono samples in -1..1 at one fixed rate.
namespace pawlet::art::synth {

inline constexpr int sample_rate = 22050;
inline constexpr double pi = 3.141592653589793;

using Samples = std::vector<double>;

Samples silence(double seconds);
std::size_t at(double seconds);  // sample index

// Fixed-seed white noise, so every build makes the same sounds.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1) {}
    double next();               // -1..1
    double uniform(double lo, double hi);

private:
    std::uint32_t state_;
};

Samples noise(double seconds, Noise& source);

// An oscillator whose frequency (Hz) follows a function of time (seconds).
using Curve = std::function<double(double)>;
enum class Wave { sine, saw, square, pulse };
Samples tone(double seconds, const Curve& frequency, Wave wave = Wave::sine);

// Multiplies by an envelope given as a function of time.
void shape(Samples& s, const Curve& gain);

// Filters, applied in place. The band-pass centre may glide with time.
void low_pass(Samples& s, double cutoff);
void high_pass(Samples& s, double cutoff);
void band_pass(Samples& s, const Curve& centre, double q);

// Sum of band-passed copies: a vowel-like colour for a buzzy source.
Samples formants(const Samples& source, const std::vector<Curve>& centres, const std::vector<double>& gains,
                 double q);

// Adds `src` times `gain` into `dst` starting at `offset` seconds, growing `dst` as needed.
void mix_in(Samples& dst, const Samples& src, double offset, double gain = 1.0);

// Decay curves.
double exp_decay(double t, double time_constant);
double attack_decay(double t, double attack, double time_constant);
double smooth_window(double t, double start, double fade_in, double end, double fade_out);

// Peak to `peak`, with short fades at both ends so playback starts and stops without a click.
void finish(Samples& s, double peak = 0.89, double fade_in = 0.005, double fade_out = 0.02);

// 16-bit mono PCM RIFF WAVE file.
std::vector<std::uint8_t> wav_bytes(const Samples& s);

}  // namespace pawlet::art::synth
