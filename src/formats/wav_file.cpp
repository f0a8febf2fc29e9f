#include "formats/wav_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

#include "base/byte_reader.h"

namespace pawlet {
namespace {

constexpr std::uint16_t format_pcm = 1;
constexpr std::uint16_t format_float = 3;
constexpr std::uint16_t format_extensible = 0xFFFE;
constexpr std::size_t plain_format_size = 16;
constexpr std::size_t extensible_format_size = 40;
// Bytes 2..15 of the KSDATAFORMAT_SUBTYPE_PCM and _IEEE_FLOAT GUIDs; bytes 0..1 hold the tag.
constexpr std::uint8_t subformat_guid_tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                  0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool has_tag(const ByteReader& in, std::size_t offset, const char* tag) {
    const auto bytes = in.range(offset, 4);
    return bytes && std::equal(bytes->begin(), bytes->end(), tag);
}

// Chunks that real WAV files carry, to find the way back when a writer left out a pad byte.
constexpr const char* common_chunk_ids[] = {"fmt ", "data", "LIST", "fact", "cue ", "smpl",
                                            "bext", "id3 ", "PEAK", "JUNK", "inst", "acid"};

bool starts_common_chunk(const ByteReader& in, std::size_t offset) {
    return std::any_of(std::begin(common_chunk_ids), std::end(common_chunk_ids),
                       [&](const char* id) { return has_tag(in, offset, id); });
}

struct Chunks {
    std::optional<std::span<const std::uint8_t>> format;
    std::optional<std::span<const std::uint8_t>> data;
};

Chunks find_chunks(const ByteReader& in) {
    Chunks found;
    std::size_t offset = 12;
    while (in.holds(offset, 8) && !(found.format && found.data)) {
        const std::size_t body = offset + 8;
        const std::size_t declared = *in.u32(offset + 4);
        const std::size_t available = in.size() - body;
        const std::size_t size = std::min(declared, available);
        if (has_tag(in, offset, "fmt ") && !found.format) found.format = in.range(body, size);
        if (has_tag(in, offset, "data") && !found.data) found.data = in.range(body, size);
        if (declared >= available) break;  // nothing can follow a chunk that fills the file
        std::size_t next = body + declared + (declared & 1);
        // Some writers leave out the pad byte after an odd-sized chunk.
        if ((declared & 1) && !starts_common_chunk(in, next) && starts_common_chunk(in, next - 1))
            --next;
        offset = next;
    }
    return found;
}

struct SampleFormat {
    bool is_float = false;
    std::size_t bytes = 0;  // per sample
};

float clamp_float(double v) {
    if (!std::isfinite(v)) return 0.0f;
    return static_cast<float>(std::clamp(v, -1.0, 1.0));
}

float decode_sample(const std::uint8_t* p, SampleFormat format) {
    if (format.is_float) {
        if (format.bytes == 4) {
            const std::uint32_t bits = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                       std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
            return clamp_float(std::bit_cast<float>(bits));
        }
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
        return clamp_float(std::bit_cast<double>(bits));
    }
    switch (format.bytes) {
    case 1: return static_cast<float>(p[0] - 128) / 128.0f;
    case 2: return static_cast<float>(static_cast<std::int16_t>(p[0] | p[1] << 8)) / 32768.0f;
    case 3: {
        // The top byte shifted into place sign-extends the 24-bit value.
        const auto top = static_cast<std::int32_t>(static_cast<std::int8_t>(p[2]));
        const std::int32_t v = top * 65536 + (p[1] << 8 | p[0]);
        return static_cast<float>(v) / 8388608.0f;
    }
    default: {
        const std::uint32_t bits = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                   std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
        return static_cast<float>(static_cast<double>(static_cast<std::int32_t>(bits)) /
                                  2147483648.0);
    }
    }
}

}  // namespace

const char* failure_name(WavFileFailure failure) {
    switch (failure) {
    case WavFileFailure::too_short: return "too_short";
    case WavFileFailure::not_riff: return "not_riff";
    case WavFileFailure::not_wave: return "not_wave";
    case WavFileFailure::no_format_chunk: return "no_format_chunk";
    case WavFileFailure::format_chunk_too_short: return "format_chunk_too_short";
    case WavFileFailure::no_data_chunk: return "no_data_chunk";
    case WavFileFailure::unsupported_encoding: return "unsupported_encoding";
    case WavFileFailure::no_channels: return "no_channels";
    case WavFileFailure::too_many_channels: return "too_many_channels";
    case WavFileFailure::unsupported_sample_size: return "unsupported_sample_size";
    case WavFileFailure::bad_block_align: return "bad_block_align";
    case WavFileFailure::unsupported_rate: return "unsupported_rate";
    case WavFileFailure::no_samples: return "no_samples";
    case WavFileFailure::too_long: return "too_long";
    }
    return "unknown";
}

Parsed<Sound, WavFileFailure> parse_wav_file(std::span<const std::uint8_t> file) {
    const ByteReader in(file);
    if (in.size() < 12) return WavFileFailure::too_short;
    if (!has_tag(in, 0, "RIFF")) return WavFileFailure::not_riff;
    if (!has_tag(in, 8, "WAVE")) return WavFileFailure::not_wave;

    const Chunks chunks = find_chunks(in);
    if (!chunks.format) return WavFileFailure::no_format_chunk;
    const ByteReader fmt(*chunks.format);
    if (fmt.size() < plain_format_size) return WavFileFailure::format_chunk_too_short;
    if (!chunks.data) return WavFileFailure::no_data_chunk;

    std::uint16_t tag = *fmt.u16(0);
    const std::size_t channels = *fmt.u16(2);
    const std::uint32_t rate = *fmt.u32(4);
    const std::size_t block_align = *fmt.u16(12);
    const std::size_t bits = *fmt.u16(14);
    if (tag == format_extensible) {
        if (fmt.size() < extensible_format_size) return WavFileFailure::format_chunk_too_short;
        const auto tail = *fmt.range(26, sizeof subformat_guid_tail);
        if (!std::equal(tail.begin(), tail.end(), subformat_guid_tail))
            return WavFileFailure::unsupported_encoding;
        tag = *fmt.u16(24);
    }
    if (tag != format_pcm && tag != format_float) return WavFileFailure::unsupported_encoding;
    if (channels == 0) return WavFileFailure::no_channels;
    if (channels > 2) return WavFileFailure::too_many_channels;

    // Integer samples narrower than their container (12 bits in 2 bytes) sit in its top bits.
    const SampleFormat format{tag == format_float, (bits + 7) / 8};
    const bool size_ok = format.is_float ? (bits == 32 || bits == 64)
                                         : (bits >= 1 && format.bytes <= 4);
    if (!size_ok) return WavFileFailure::unsupported_sample_size;
    if (block_align != channels * format.bytes) return WavFileFailure::bad_block_align;
    if (rate < lowest_sound_rate || rate > highest_sound_rate) return WavFileFailure::unsupported_rate;

    const std::size_t frames = chunks.data->size() / block_align;
    if (frames == 0) return WavFileFailure::no_samples;
    if (frames > longest_sound_samples / channels) return WavFileFailure::too_long;

    Sound sound;
    sound.sample_rate = static_cast<int>(rate);
    sound.channels = static_cast<int>(channels);
    sound.samples.resize(frames * channels);
    const std::uint8_t* p = chunks.data->data();
    for (float& sample : sound.samples) {
        sample = decode_sample(p, format);
        p += format.bytes;
    }
    return sound;
}

}  // namespace pawlet
