// Writes the fuzz targets' seed inputs, small files made by our own encoders, into
// <out>/<target>/: make_seeds <out>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/cursor_fixture.h"
#include "fixtures/skin_fixture.h"
#include "little_endian.h"
#include "media_writers.h"
#include "skin_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace le = pawlet::little_endian;

std::filesystem::path out_dir;

void write(const std::string& target, const std::string& name, const Bytes& bytes) {
    const auto dir = out_dir / target;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
}

Bytes gradient_jpeg(int width, int height, const pawlet::media::JpegSettings& settings) {
    const int components = settings.grey ? 1 : 3;
    Bytes pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                pixels.push_back(static_cast<std::uint8_t>(x * 16 + y * 8 + c * 70));
    return pawlet::media::encode_jpeg(pixels, width, height, settings);
}

struct WavShape {
    const char* name;
    std::uint16_t tag;  // 1 PCM, 3 float, 0xFFFE extensible (PCM inside)
    std::uint16_t channels;
    std::uint16_t bits;
    std::uint32_t rate;
};

Bytes wav_file(const WavShape& shape, int frames) {
    const bool extensible = shape.tag == 0xFFFE;
    const std::uint16_t align = static_cast<std::uint16_t>(shape.channels * shape.bits / 8);
    Bytes data;
    for (int i = 0; i < frames * align; ++i) data.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    Bytes f;
    auto tag = [&f](const char* t) { f.insert(f.end(), t, t + 4); };
    tag("RIFF");
    le::append32(f, 0);
    tag("WAVE");
    tag("LIST");  // a chunk of no interest before the format, odd-sized and padded
    le::append32(f, 3);
    f.insert(f.end(), {'a', 'b', 'c', 0});
    tag("fmt ");
    le::append32(f, extensible ? 40 : 16);
    le::append16(f, shape.tag);
    le::append16(f, shape.channels);
    le::append32(f, shape.rate);
    le::append32(f, shape.rate * align);
    le::append16(f, align);
    le::append16(f, shape.bits);
    if (extensible) {
        le::append16(f, 22);
        le::append16(f, shape.bits);
        le::append32(f, shape.channels == 2 ? 3 : 4);
        const std::uint8_t pcm_guid[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        f.insert(f.end(), pcm_guid, pcm_guid + 16);
    }
    tag("data");
    le::append32(f, static_cast<std::uint32_t>(data.size()));
    f.insert(f.end(), data.begin(), data.end());
    le::store32(f, 4, static_cast<std::uint32_t>(f.size() - 8));
    return f;
}

// The skin tests' skin with its face filled another way.
pawlet::Skin skin_with_face(pawlet::FillKind kind) {
    pawlet::Skin s = pawlet::fixtures::good_skin();
    s.face = {kind, 0, kind == pawlet::FillKind::stretched ? 1 : 0, 0xFFE0C0, 0x804020};
    return s;
}

Bytes embedded(const Bytes& payload) {
    Bytes b;
    le::append32(b, 1);
    le::append32(b, static_cast<std::uint32_t>(payload.size()));
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUT_DIR\n");
        return 2;
    }
    out_dir = argv[1];
    using pawlet::media::JpegSettings;

    const std::pair<const char*, Bytes> jpegs[] = {
        {"baseline-8x8.jpg", gradient_jpeg(8, 8, {})},
        {"baseline-21x13.jpg", gradient_jpeg(21, 13, {.quality = 60})},
        {"progressive-16x16.jpg", gradient_jpeg(16, 16, {.progressive = true})},
        {"grey-9x7.jpg", gradient_jpeg(9, 7, {.grey = true})},
        {"optimized-full-chroma-12x10.jpg", gradient_jpeg(12, 10, {.optimize_coding = true, .full_chroma = true})},
    };
    for (const auto& [name, bytes] : jpegs) {
        write("jpeg_decode", name, bytes);
        write("frame_step", name, bytes);
    }
    write("frame_step", "larger-than-box-330x490.jpg", gradient_jpeg(330, 490, {.quality = 10}));

    write("cursor_file", "side-16.cur", pawlet::fixtures::make_cursor_file(16, 3, 4));
    write("cursor_file", "side-32.cur", pawlet::fixtures::make_cursor_file(32, 31, 0));

    const WavShape wavs[] = {
        {"u8-mono-8000.wav", 1, 1, 8, 8000},
        {"s16-stereo-44100.wav", 1, 2, 16, 44100},
        {"s24-mono-22050.wav", 1, 1, 24, 22050},
        {"s32-stereo-48000.wav", 1, 2, 32, 48000},
        {"f32-mono-11025.wav", 3, 1, 32, 11025},
        {"f64-stereo-96000.wav", 3, 2, 64, 96000},
        {"extensible-s16-stereo-32000.wav", 0xFFFE, 2, 16, 32000},
    };
    for (const WavShape& shape : wavs) write("wav_mixer", shape.name, wav_file(shape, 40));

    const Bytes solid = pawlet::media::encode_skin(skin_with_face(pawlet::FillKind::solid));
    write("skin_file", "solid.she", solid);
    write("skin_file", "stretched-padded.she",
          pawlet::media::encode_skin(skin_with_face(pawlet::FillKind::stretched), solid.size() + 64));
    write("skin_file", "tiled.she", pawlet::media::encode_skin(skin_with_face(pawlet::FillKind::tiled)));

    write("embedded_block", "cursor.block", embedded(pawlet::fixtures::make_cursor_file(16, 1, 1)));
    write("embedded_block", "skin.block", embedded(solid));
    write("embedded_block", "empty.block", embedded({}));
    return 0;
}
