#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace pawlet::media {

struct JpegSettings {
    int quality = 95;
    bool progressive = false;
    bool grey = false;             // one byte per pixel in, one component out
    bool cmyk = false;             // C, M, Y, K bytes per pixel in, stored inverted as Adobe's files do
    bool optimize_coding = false;  // smaller Huffman tables; still baseline
    bool full_chroma = false;      // no colour subsampling, so flat colour codes survive exactly
};

// A JFIF file of width x height pixels given top row first, as R, G, B bytes per pixel (one
// grey byte per pixel with settings.grey). Baseline unless settings.progressive.
std::vector<std::uint8_t> encode_jpeg(std::span<const std::uint8_t> pixels, int width, int height,
                                      const JpegSettings& settings = {});

// A RIFF WAVE file holding one channel of 16-bit PCM samples.
std::vector<std::uint8_t> encode_pcm16_wav(std::span<const std::int16_t> samples, int sample_rate);

}  // namespace pawlet::media
