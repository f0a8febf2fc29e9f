// What sound costs: the player's thread mixing one second of output (44.1 kHz stereo) from 1, 4
// and 16 voices, and the main thread parsing one of the cat's own WAV files at its cue.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

#include "formats/wav_file.h"
#include "media/mixer.h"

namespace {

constexpr int output_rate = 44100;
constexpr std::size_t buffer_frames = 441;  // the player's 10 ms buffers

pawlet::Sound noise_tone(int rate, int channels, double seconds, double frequency) {
    pawlet::Sound s{rate, channels, {}};
    const auto frames = static_cast<std::size_t>(seconds * rate);
    s.samples.resize(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < s.samples.size(); ++i)
        s.samples[i] = static_cast<float>(
            0.1 * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(i) / rate));
    return s;
}

// state.range(0) voices, each a 2 s sound at `rate` with `channels`, mixed into one second of
// output in the player's buffer size.
void mix_one_second(benchmark::State& state, int rate, int channels) {
    const auto voices = static_cast<int>(state.range(0));
    std::vector<pawlet::Sound> sounds;
    for (int v = 0; v < voices; ++v) sounds.push_back(noise_tone(rate, channels, 2.0, 200.0 + 90 * v));
    std::vector<std::int16_t> buffer(buffer_frames * 2);
    pawlet::Mixer mixer(output_rate);
    mixer.add(sounds[0]);  // builds the rate's kernel once, as the player's mixer keeps it
    mixer.clear();
    for (auto _ : state) {
        state.PauseTiming();
        mixer.clear();
        for (const pawlet::Sound& s : sounds) mixer.add(s);
        state.ResumeTiming();
        for (int b = 0; b < output_rate / static_cast<int>(buffer_frames); ++b) mixer.mix(buffer);
        benchmark::ClobberMemory();
    }
    state.SetLabel("per second of output");
}

void mix_cat_format(benchmark::State& state) { mix_one_second(state, 22050, 1); }
BENCHMARK(mix_cat_format)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void mix_output_format(benchmark::State& state) { mix_one_second(state, output_rate, 2); }
BENCHMARK(mix_output_format)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void mix_48k_stereo(benchmark::State& state) { mix_one_second(state, 48000, 2); }
BENCHMARK(mix_48k_stereo)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void parse_cat_sound(benchmark::State& state) {
    const std::filesystem::path path = std::filesystem::path(PAWLET_CAT_SOUNDS_DIR) / "purr.wav";
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    if (file.empty()) {
        state.SkipWithError("no purr.wav: build the native preset first");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(pawlet::parse_wav_file(file));
    state.SetLabel(std::to_string(file.size()) + " bytes");
}
BENCHMARK(parse_cat_sound)->Unit(benchmark::kMicrosecond);

}  // namespace
