#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace pawlet::test_assets {

namespace {

constexpr std::uint32_t sample_rate = 22050;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void put_tag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

void write_tone_wav(const std::filesystem::path& path, double frequency, double seconds) {
    const auto count = static_cast<std::uint32_t>(seconds * sample_rate);
    const std::uint32_t data_size = count * 2;
    std::vector<std::uint8_t> out;
    put_tag(out, "RIFF");
    put32(out, 36 + data_size);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, sample_rate);
    put32(out, sample_rate * 2);
    put16(out, 2);
    put16(out, 16);
    put_tag(out, "data");
    put32(out, data_size);
    const double fade = 0.01 * sample_rate;
    for (std::uint32_t i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, i / fade, (count - i) / fade});
        const double v = envelope * 0.5 * std::sin(2 * std::numbers::pi * frequency * i / sample_rate);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767))));
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace pawlet::test_assets
