// The encoders of make_cat_art on small inputs: exact-size JPEG padding, the icon group layout,
// the WAV writer with its click-free ends, and the cursors: palette, mask and file layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "cairo_handles.h"
#include "cursor_encoder.h"
#include "formats/cursor_file.h"
#include "formats/embedded_block.h"
#include "formats/jpeg_decode.h"
#include "ico_file.h"
#include "jpeg_file.h"
#include "palette_quantiser.h"
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

// Writes straight (not premultiplied) ARGB into a surface, as cairo stores it.
void put_pixel(cairo_surface_t* s, int x, int y, unsigned a, unsigned r, unsigned g, unsigned b) {
    cairo_surface_flush(s);
    auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                 static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s));
    auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
    row[x] = a << 24 | pre(r) << 16 | pre(g) << 8 | pre(b);
    cairo_surface_mark_dirty(s);
}

TEST(Quantiser, FewColoursComeOutExactWithAHardMask) {
    Surface s = make_surface(4, 2);
    put_pixel(s.get(), 0, 0, 255, 200, 10, 20);
    put_pixel(s.get(), 1, 0, 255, 200, 10, 20);
    put_pixel(s.get(), 2, 0, 255, 0, 0, 0);
    put_pixel(s.get(), 3, 0, 128, 40, 80, 240);  // an edge pixel half covered: opaque, its own colour
    put_pixel(s.get(), 0, 1, 127, 255, 255, 255);  // less than half: clear
    const IndexedPicture p = quantise(s.get(), 255);
    ASSERT_EQ(p.width, 4);
    ASSERT_EQ(p.height, 2);
    EXPECT_EQ(p.palette.size(), 3u);
    auto colour = [&](int x, int y) { return p.palette[p.indexes[p.at(x, y)]]; };
    EXPECT_EQ(colour(0, 0), (Rgb{200, 10, 20}));
    EXPECT_EQ(p.indexes[p.at(1, 0)], p.indexes[p.at(0, 0)]);
    EXPECT_EQ(colour(2, 0), (Rgb{0, 0, 0}));
    const Rgb edge = colour(3, 0);
    EXPECT_NEAR(edge.r, 40, 2) << "the edge keeps its colour, not a blend with black";
    EXPECT_NEAR(edge.g, 80, 2);
    EXPECT_NEAR(edge.b, 240, 2);
    EXPECT_FALSE(p.transparent[p.at(3, 0)]);
    EXPECT_TRUE(p.transparent[p.at(0, 1)]);
    EXPECT_TRUE(p.transparent[p.at(3, 1)]);
}

TEST(Quantiser, ManyColoursAreCutToTheLimitAndStayClose) {
    Surface s = make_surface(64, 64);  // a smooth gradient of 4,096 colours
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) put_pixel(s.get(), x, y, 255, 4 * x, 4 * y, 128);
    const IndexedPicture p = quantise(s.get(), 255);
    EXPECT_LE(p.palette.size(), 255u);
    EXPECT_GE(p.palette.size(), 200u);
    int worst = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Rgb c = p.palette[p.indexes[p.at(x, y)]];
            worst = std::max({worst, std::abs(c.r - 4 * x), std::abs(c.g - 4 * y), std::abs(c.b - 128)});
        }
    }
    EXPECT_LE(worst, 16);
}

std::uint8_t mask_bit(const std::vector<std::uint8_t>& file, std::size_t mask_at, int side, int x, int y) {
    const std::size_t stride = static_cast<std::size_t>(((side + 31) / 32) * 4);
    return file[mask_at + static_cast<std::size_t>(side - 1 - y) * stride + static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1;
}

TEST(CursorFiles, PaletteCursorHasTheHoverLayout) {
    Surface s = make_surface(128, 128);
    put_pixel(s.get(), 60, 10, 255, 250, 200, 0);
    const IndexedPicture picture = quantise(s.get(), 255);
    const auto file = encode_palette_cursor(picture, 61, 70);
    ASSERT_EQ(file.size(), 19518u);
    const auto parsed = parse_cursor_file(file);
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    EXPECT_EQ(parsed->width, 128);
    EXPECT_EQ(parsed->hotspot_x, 61);
    EXPECT_EQ(parsed->hotspot_y, 70);
    EXPECT_EQ(le(file, 14, 4), 19496u);
    EXPECT_EQ(file[8], 0) << "colour count";
    EXPECT_EQ(le(file, 22 + 8, 4), 256u) << "doubled height";
    EXPECT_EQ(le(file, 22 + 14, 2), 8u);
    EXPECT_EQ(le(file, 22 + 16, 4), 0u);
    EXPECT_EQ(le(file, 62, 4), 0u) << "palette entry 0 is black";
    // Bottom-up rows: y 10 is row 117. The drawn pixel uses a palette entry holding its colour.
    const std::size_t pixels = 1086, mask = 17470;
    const std::uint8_t index = file[pixels + 117 * 128 + 60];
    ASSERT_NE(index, 0);
    EXPECT_EQ(le(file, 62 + 4u * index, 4), 0x00FAC800u);
    EXPECT_EQ(mask_bit(file, mask, 128, 60, 10), 0);
    EXPECT_EQ(mask_bit(file, mask, 128, 61, 10), 1);
    EXPECT_EQ(file[pixels + 117 * 128 + 61], 0) << "a masked pixel is black";
}

TEST(CursorFiles, MonochromeCursorKeepsBlackWhiteAndClear) {
    std::vector<MonoPixel> pixels(32 * 32, MonoPixel::clear);
    pixels[1 * 32 + 6] = MonoPixel::black;
    pixels[2 * 32 + 6] = MonoPixel::white;
    const auto file = encode_monochrome_cursor(32, pixels, 6, 1);
    ASSERT_EQ(file.size(), 22u + 40 + 8 + 128 + 128);
    const auto parsed = parse_cursor_file(file);
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    EXPECT_EQ(parsed->width, 32);
    EXPECT_EQ(parsed->hotspot_x, 6);
    EXPECT_EQ(parsed->hotspot_y, 1);
    EXPECT_EQ(le(file, 22 + 14, 2), 1u);
    EXPECT_EQ(le(file, 62, 4), 0x000000u);
    EXPECT_EQ(le(file, 66, 4), 0xFFFFFFu);
    const std::size_t colour = 70, mask = 70 + 128;
    for (const auto& [x, y, xor_bit, and_bit] :
         {std::tuple{6, 1, 0, 0}, std::tuple{6, 2, 1, 0}, std::tuple{7, 1, 0, 1}, std::tuple{0, 31, 0, 1}}) {
        EXPECT_EQ(mask_bit(file, colour, 32, x, y), xor_bit) << x << "," << y;
        EXPECT_EQ(mask_bit(file, mask, 32, x, y), and_bit) << x << "," << y;
    }
}

TEST(CursorFiles, EmbeddedBlockReadsBackAsItsBytes) {
    const std::vector<std::uint8_t> bytes{9, 8, 7, 6, 5};
    const auto block = embedded_block(bytes);
    ASSERT_EQ(block.size(), 13u);
    const auto parsed = parse_embedded_block(block);
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    EXPECT_TRUE(std::equal(parsed->begin(), parsed->end(), bytes.begin(), bytes.end()));
}

}  // namespace
}  // namespace pawlet::art
