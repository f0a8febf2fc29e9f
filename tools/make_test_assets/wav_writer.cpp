#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "media_writers.h"
#include "write_file.h"

namespace pawlet::test_assets {

namespace {
constexpr int sample_rate = 22050;
}  // namespace

void write_tone_wav(const std::filesystem::path& path, double frequency, double seconds) {
    const auto count = static_cast<std::size_t>(seconds * sample_rate);
    const double fade = 0.01 * sample_rate;
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        const double envelope = std::min({1.0, t / fade, static_cast<double>(count - i) / fade});
        const double v = envelope * 0.5 * std::sin(2 * std::numbers::pi * frequency * t / sample_rate);
        samples[i] = static_cast<std::int16_t>(std::lround(v * 32767));
    }
    if (!tool_files::write_file(path, media::encode_pcm16_wav(samples, sample_rate))) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace pawlet::test_assets
