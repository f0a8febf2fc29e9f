// The encoders of make_cat_art on small inputs: exact-size JPEG padding, the icon group layout
// and the WAV writer with its click-free ends.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "cairo_handles.h"
#include "formats/jpeg_decode.h"
#include "ico_file.h"
#include "jpeg_file.h"
#include "synth.h"

namespace pawlet::art {
namespace {

Surface striped_surface(int width, int height) {
    Surface s = make_surface(width, height);
    Context cr = make_context(s.get());
    for (int x = 0; x < width; x += 8) {
        cairo_set_source_rgb(cr.get(), (x % 24) / 24.0, 0.5, 1.0 - (x % 16) / 16.0);
        cairo_rectangle(cr.get(), x, 0, 8, height);
        cairo_fill(cr.get());
    }
    return s;
}

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

TEST(JpegPadding, CommentOfEverySizeKeepsThePictureDecodable) {
    const Surface s = striped_surface(40, 24);
    const Bytes plain = encode_jpeg(s.get(), 80);
    for (std::size_t segment : {4u, 5u, 300u, 65537u}) {
        SCOPED_TRACE(segment);
        const Bytes padded = insert_comment(plain, segment);
        ASSERT_EQ(padded.size(), plain.size() + segment);
        // SOI, APP0 still first, the comment right after it.
        const std::size_t app0_end = 4 + (std::size_t{plain[4]} << 8 | plain[5]);
        EXPECT_EQ(padded[2], 0xFF);
        EXPECT_EQ(padded[3], 0xE0);
        EXPECT_EQ(padded[app0_end], 0xFF);
        EXPECT_EQ(padded[app0_end + 1], 0xFE);
        EXPECT_EQ(std::size_t{padded[app0_end + 2]} << 8 | padded[app0_end + 3], segment - 2);
        const auto picture = decode_jpeg(padded);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, 40);
        EXPECT_EQ(picture->height, 24);
    }
}

TEST(JpegPadding, ExactSizeIsHitOrRefused) {
    const Surface s = striped_surface(64, 64);
    const std::size_t natural = encode_jpeg(s.get(), 95).size();
    for (std::size_t target : {natural, natural + 4, natural + 1000}) {
        const auto jpeg = encode_jpeg_of_size(s.get(), target);
        ASSERT_TRUE(jpeg.has_value()) << target;
        EXPECT_EQ(jpeg->size(), target);
        EXPECT_TRUE(decode_jpeg(*jpeg).has_value());
    }
    // Between the natural size and 4 bytes more, a lower quality must make room for a comment.
    const auto squeezed = encode_jpeg_of_size(s.get(), natural + 2);
    ASSERT_TRUE(squeezed.has_value());
    EXPECT_EQ(squeezed->size(), natural + 2);
    // Far too small for any quality.
    EXPECT_FALSE(encode_jpeg_of_size(s.get(), 200).has_value());
}

TEST(IconGroup, DirectoryAndImagesDescribeEachSize) {
    std::vector<Surface> owned;
    std::vector<cairo_surface_t*> images;
    for (int size : {32, 16}) {
        owned.push_back(make_surface(size, size));
        Context cr = make_context(owned.back().get());
        cairo_set_source_rgba(cr.get(), 1, 0, 0, 0.5);  // left half half-transparent red
        cairo_rectangle(cr.get(), 0, 0, size / 2, size);
        cairo_fill(cr.get());
        images.push_back(owned.back().get());
    }
    const auto ico = encode_icon_group(images);
    ASSERT_GE(ico.size(), 6u + 32u);
    EXPECT_EQ(le(ico, 0, 2), 0u);
    EXPECT_EQ(le(ico, 2, 2), 1u);
    EXPECT_EQ(le(ico, 4, 2), 2u);
    std::size_t expected_offset = 6 + 2 * 16;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = i == 0 ? 32 : 16;
        SCOPED_TRACE(size);
        EXPECT_EQ(ico[entry], size);
        EXPECT_EQ(ico[entry + 1], size);
        EXPECT_EQ(le(ico, entry + 6, 2), 32u);
        const std::uint32_t bytes = le(ico, entry + 8, 4), offset = le(ico, entry + 12, 4);
        EXPECT_EQ(offset, expected_offset);
        const std::uint32_t mask_row = ((size + 31) / 32) * 4;
        EXPECT_EQ(bytes, 40 + size * size * 4 + mask_row * size);
        EXPECT_EQ(le(ico, offset + 4, 4), size);
        EXPECT_EQ(le(ico, offset + 8, 4), 2 * size);
        EXPECT_EQ(le(ico, offset + 14, 2), 32u);
        EXPECT_EQ(le(ico, offset + 16, 4), 0u);
        // Bottom-up BGRA with straight alpha: the first pixel is bottom-left, red at half alpha.
        const std::size_t px = offset + 40;
        EXPECT_EQ(ico[px + 2], 255);
        EXPECT_NEAR(ico[px + 3], 128, 1);
        // The AND mask marks only the fully transparent right half.
        const std::size_t mask = px + size * size * 4;
        EXPECT_EQ(ico[mask] & 0x80, 0);
        EXPECT_EQ(ico[mask + size / 16] & 0x80, 0x80);  // x = size / 2
        expected_offset += bytes;
    }
    EXPECT_EQ(ico.size(), expected_offset);
}

TEST(Wav, FinishedSoundIsNormalisedAndStartsAndEndsSilent) {
    synth::Samples s = synth::tone(0.3, [](double) { return 440.0; }, synth::Wave::square);
    for (double& v : s) v = 0.3 * v + 0.2;  // an offset that would click
    synth::finish(s);
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    EXPECT_NEAR(peak, 0.89, 0.01);
    EXPECT_EQ(s.front(), 0.0);
    EXPECT_EQ(s.back(), 0.0);
    EXPECT_LT(std::abs(s[10]), 0.89 * 0.2);

    const auto wav = synth::wav_bytes(s);
    ASSERT_EQ(wav.size(), 44 + 2 * s.size());
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(le(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le(wav, 20, 2), 1u);
    EXPECT_EQ(le(wav, 24, 4), static_cast<std::uint32_t>(synth::sample_rate));
    EXPECT_EQ(le(wav, 34, 2), 16u);
    EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    EXPECT_EQ(le(wav, 40, 4), 2 * s.size());
}

}  // namespace
}  // namespace pawlet::art
