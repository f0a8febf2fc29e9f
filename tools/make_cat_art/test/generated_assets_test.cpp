// Checks what the build generated: the embedded art in PAWLET_ART_DIR and the asset set in
// PAWLET_CAT_ASSETS_DIR, against the catalogue, the touch regions and the pointer-setting rules
// the program uses.
#include <cairo.h>
#include <gtest/gtest.h>

#include "pet/action_catalogue.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "asset_names.h"
#include "cairo_handles.h"
#include "cursor_art.h"
#include "formats/embedded_block.h"
#include "formats/jpeg_decode.h"
#include "input/embedded_cursors.h"
#include "input/touch_regions.h"
#include "loudness.h"
#include "shell/pointer_choice.h"

namespace pawlet::art {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path art_dir = PAWLET_ART_DIR;
const fs::path assets_dir = PAWLET_CAT_ASSETS_DIR;

Bytes read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le(const Bytes& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

std::set<std::string> files_below(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (e.is_regular_file()) names.insert(e.path().lexically_relative(dir).generic_string());
    }
    return names;
}

TEST(GeneratedAnimations, ExactlyTheCataloguedFramesEachDecodingTo320x480) {
    const auto expected_list = animation_file_names();
    const std::set<std::string> expected(expected_list.begin(), expected_list.end());
    ASSERT_EQ(expected.size(), 3u + 579u);
    EXPECT_EQ(files_below(assets_dir / "animations"), expected);
    for (const auto& name : expected) {
        const auto picture = decode_jpeg(read_file(assets_dir / "animations" / name));
        ASSERT_TRUE(picture.has_value()) << name;
        EXPECT_EQ(picture->width, 320) << name;
        EXPECT_EQ(picture->height, 480) << name;
    }
}

TEST(GeneratedAnimations, EveryActionStartsAndEndsOnTheOpenEyedIdlePicture) {
    // The idle cycle rests on blink0002; an action must not make the cat jump from or to it.
    const Bytes idle = read_file(assets_dir / "animations" / "blink/cat_blink0002.jpg");
    ASSERT_FALSE(idle.empty());
    const auto names = animation_file_names();
    for (std::size_t i = 3; i < names.size();) {
        const std::string folder = names[i].substr(0, names[i].find('/'));
        std::size_t last = i;
        while (last + 1 < names.size() && names[last + 1].starts_with(folder + "/")) ++last;
        EXPECT_EQ(read_file(assets_dir / "animations" / names[i]), idle) << names[i];
        EXPECT_EQ(read_file(assets_dir / "animations" / names[last]), idle) << names[last];
        EXPECT_NE(read_file(assets_dir / "animations" / names[(i + last) / 2]), idle) << names[(i + last) / 2];
        i = last + 1;
    }
}

// RIFF WAVE with a PCM "fmt " chunk and a "data" chunk that fits the file.
::testing::AssertionResult is_pcm_wav(const Bytes& b) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
        return ::testing::AssertionFailure() << "no RIFF WAVE header";
    }
    if (le(b, 4, 4) != b.size() - 8) return ::testing::AssertionFailure() << "RIFF size does not match the file";
    bool fmt_ok = false;
    std::size_t data_bytes = 0, block_align = 0;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::uint32_t size = le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return ::testing::AssertionFailure() << "chunk runs past the end";
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && size >= 16) {
            const auto channels = le(b, at + 10, 2), rate = le(b, at + 12, 4), bits = le(b, at + 22, 2);
            block_align = le(b, at + 20, 2);
            fmt_ok = le(b, at + 8, 2) == 1 && channels >= 1 && rate >= 8000 && (bits == 8 || bits == 16) &&
                     block_align == channels * bits / 8 && le(b, at + 16, 4) == rate * block_align;
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            data_bytes = size;
        }
        at += 8 + size + (size & 1);
    }
    if (!fmt_ok) return ::testing::AssertionFailure() << "no valid PCM fmt chunk";
    if (data_bytes == 0 || data_bytes % block_align != 0) return ::testing::AssertionFailure() << "bad data chunk";
    return ::testing::AssertionSuccess();
}

TEST(GeneratedSounds, ExactlyTheCuedFilesAllShortPcmWavesThatStartAndEndSilent) {
    const auto expected_list = all_sound_file_names();
    const std::set<std::string> expected(expected_list.begin(), expected_list.end());
    EXPECT_EQ(expected.size(), 18u);
    EXPECT_TRUE(expected.count("fart003.wav"));
    EXPECT_EQ(files_below(assets_dir / "sounds"), expected);
    for (const auto& name : expected) {
        SCOPED_TRACE(name);
        const Bytes wav = read_file(assets_dir / "sounds" / name);
        ASSERT_TRUE(is_pcm_wav(wav));
        // Our writer: 16-bit mono, samples from byte 44.
        const std::size_t samples = (wav.size() - 44) / 2;
        EXPECT_LT(samples, 3u * le(wav, 24, 4)) << "longer than three seconds";
        auto sample = [&](std::size_t i) { return static_cast<std::int16_t>(le(wav, 44 + 2 * i, 2)); };
        EXPECT_EQ(sample(0), 0);
        EXPECT_EQ(sample(samples - 1), 0);
        int peak = 0;
        for (std::size_t i = 0; i < samples; ++i) peak = std::max(peak, std::abs(int{sample(i)}));
        EXPECT_GT(peak, 26000) << "not normalised";
    }
}

std::vector<double> wav_samples(const Bytes& wav) {
    std::vector<double> out;
    for (std::size_t at = 44; at + 1 < wav.size(); at += 2) out.push_back(static_cast<std::int16_t>(le(wav, at, 2)) / 32768.0);
    return out;
}

TEST(GeneratedSounds, AllAboutEquallyLoud) {
    // Judged by the loudest 100 ms, as a listener hears a short sound; full-file RMS would call a
    // sound with a quiet lead-in quiet.
    for (const auto& name : all_sound_file_names()) {
        const double loudness = synth::loudest_rms_db(wav_samples(read_file(assets_dir / "sounds" / name)));
        EXPECT_GT(loudness, -12.5) << name;
        EXPECT_LT(loudness, -7.0) << name;
    }
}

TEST(GeneratedSounds, EachIsFirstHeardWhenItsEventIsDrawn) {
    // Frame time + 50 ms - cue delay: the pot lands and the cymbals clash at 0.3 s, the pie at
    // 0.8 s, the claws first rake at 1.2 s, the jaws first close at 0.61 s, the first lap at 2.9 s.
    struct Case {
        const char* file;
        int onset_ms;
    };
    constexpr Case cases[] = {{"p_stars2s.wav", 50},        {"cymbal.wav", 50},  {"slap2.wav", 50},
                              {"scratch_kratzen.wav", 50}, {"p_eat.wav", 156}, {"p_drink_milk.wav", 1250},
                              {"p_foot3.wav", 50},          {"p_belly1.wav", 0}};
    for (const Case& c : cases) {
        const double onset = synth::onset_seconds(wav_samples(read_file(assets_dir / "sounds" / c.file)));
        EXPECT_NEAR(onset * 1000, c.onset_ms, 15) << c.file;
    }
}

TEST(ChangeStrips, OneForEachActionAtRealSize) {
    for (int action = first_action_number; action <= last_action_number; ++action) {
        const fs::path png = assets_dir / "sheets" / "strips" / (std::string(find_action(action)->name) + ".png");
        const Surface strip(cairo_image_surface_create_from_png(png.c_str()));
        ASSERT_EQ(cairo_surface_status(strip.get()), CAIRO_STATUS_SUCCESS) << png;
        EXPECT_GT(cairo_image_surface_get_height(strip.get()), 480) << png;
        EXPECT_GT(cairo_image_surface_get_width(strip.get()), 3 * 320) << png << ": fewer than three frames";
    }
}

TEST(BackgroundPicture, BaselineJfifOf320x480WithThreeComponentsAnd23882Bytes) {
    const Bytes jpeg = read_file(art_dir / "background.jpg");
    ASSERT_EQ(jpeg.size(), 23882u);
    ASSERT_EQ(jpeg[0], 0xFF);
    ASSERT_EQ(jpeg[1], 0xD8);
    ASSERT_EQ(jpeg[3], 0xE0) << "APP0 must come first";
    EXPECT_EQ(std::memcmp(jpeg.data() + 6, "JFIF\0", 5), 0);
    // Walk the segments up to the scan: one frame header, and it is SOF0.
    std::vector<std::uint8_t> frames;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        const std::uint8_t marker = jpeg[at + 1];
        const std::size_t length = std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            frames.push_back(marker);
            EXPECT_EQ(std::size_t{jpeg[at + 5]} << 8 | jpeg[at + 6], 480u);
            EXPECT_EQ(std::size_t{jpeg[at + 7]} << 8 | jpeg[at + 8], 320u);
            EXPECT_EQ(jpeg[at + 9], 3);
        }
        at += 2 + length;
    }
    ASSERT_LT(at + 1, jpeg.size());
    EXPECT_EQ(jpeg[at + 1], 0xDA) << "segments do not lead to the scan";
    EXPECT_EQ(frames, std::vector<std::uint8_t>{0xC0});
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    const auto picture = decode_jpeg(jpeg);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 480);
}

TEST(IconGroup, FiveSizesOf32BitsEachWithItsImage) {
    const Bytes ico = read_file(art_dir / "pawlet.ico");
    ASSERT_GE(ico.size(), 6u + 5 * 16);
    EXPECT_EQ(le(ico, 0, 2), 0u);
    EXPECT_EQ(le(ico, 2, 2), 1u);
    ASSERT_EQ(le(ico, 4, 2), 5u);
    std::set<std::uint32_t> sizes;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = ico[entry] == 0 ? 256 : ico[entry];
        SCOPED_TRACE(size);
        sizes.insert(size);
        EXPECT_EQ(ico[entry + 1], ico[entry]);
        EXPECT_EQ(le(ico, entry + 6, 2), 32u);
        const std::uint32_t bytes = le(ico, entry + 8, 4), offset = le(ico, entry + 12, 4);
        ASSERT_LE(std::size_t{offset} + bytes, ico.size());
        EXPECT_EQ(le(ico, offset, 4), 40u);
        EXPECT_EQ(le(ico, offset + 4, 4), size);
        EXPECT_EQ(le(ico, offset + 8, 4), 2 * size);
        EXPECT_EQ(le(ico, offset + 14, 2), 32u);
        EXPECT_EQ(le(ico, offset + 16, 4), 0u) << "uncompressed";
        EXPECT_EQ(bytes, 40 + size * size * 4 + ((size + 31) / 32) * 4 * size);
        // Something is drawn and something is left transparent.
        int opaque = 0, clear = 0;
        for (std::uint32_t p = 0; p < size * size; ++p) {
            const std::uint8_t alpha = ico[offset + 40 + 4 * p + 3];
            opaque += alpha == 255;
            clear += alpha == 0;
        }
        EXPECT_GT(opaque, static_cast<int>(size * size / 3));
        EXPECT_GT(clear, static_cast<int>(size * size / 20));
    }
    EXPECT_EQ(sizes, (std::set<std::uint32_t>{128, 64, 48, 32, 16}));
}

TEST(CatMask, EveryTouchRegionLiesOverTheCatInTheBackground) {
    const Surface mask(cairo_image_surface_create_from_png((art_dir / "cat-mask.png").c_str()));
    ASSERT_EQ(cairo_surface_status(mask.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(mask.get()), 320);
    ASSERT_EQ(cairo_image_surface_get_height(mask.get()), 480);
    const auto background = decode_jpeg(read_file(art_dir / "background.jpg"));
    ASSERT_TRUE(background.has_value());

    const int stride = cairo_image_surface_get_stride(mask.get());
    const unsigned char* data = cairo_image_surface_get_data(mask.get());
    auto on_cat = [&](int x, int y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        return (row[x] & 0xFF) > 127;
    };
    // The mask really is the cat of the picture: its outline is dark ink, so the picture changes
    // sharply where the mask does.
    auto brightness = [&](int x, int y) {
        const std::uint32_t p = background->pixels[static_cast<std::size_t>(y * 320 + x)];
        return static_cast<int>((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3;
    };
    int edges = 0, dark_edges = 0;
    for (int y = 1; y < 479; ++y) {
        for (int x = 1; x < 319; ++x) {
            if (on_cat(x, y) != on_cat(x - 1, y)) {
                ++edges;
                dark_edges += std::min(brightness(x, y), brightness(x - 1, y)) < 110;
            }
        }
    }
    ASSERT_GT(edges, 200);
    EXPECT_GT(dark_edges * 10, edges * 9) << dark_edges << " of " << edges << ": the mask's outline does not follow the cat's ink";

    for (const TouchRegion& r : touch_regions) {
        SCOPED_TRACE("touch region " + std::to_string(r.number));
        const int cx = (r.x_low + r.x_high) / 2, cy = (r.y_low + r.y_high) / 2;
        EXPECT_TRUE(on_cat(cx, cy)) << "centre " << cx << "," << cy << " is on the alley";
        int inside = 0, covered = 0;
        for (int y = r.y_low + 1; y < r.y_high; ++y) {
            for (int x = r.x_low + 1; x < r.x_high; ++x) {
                ++inside;
                covered += on_cat(x, y);
            }
        }
        EXPECT_GE(covered * 4, inside * 3) << covered << " of " << inside << " pixels on the cat";
    }
}

// A cursor file's first image read as the window system reads it: palette colours, and the mask
// that leaves the screen showing. Rows top first.
struct CursorPixels {
    int side = 0, bits = 0;
    std::vector<std::uint32_t> colour;  // 0x00RRGGBB from the palette
    std::vector<bool> clear;

    bool opaque(int x, int y) const { return !clear[static_cast<std::size_t>(y * side + x)]; }
};

CursorPixels read_pixels(const CursorImage& image) {
    CursorPixels out;
    const auto& dib = image.image;
    out.side = image.width;
    out.bits = static_cast<int>(dib[14] | dib[15] << 8);
    const std::size_t palette = 40, entries = std::size_t{1} << out.bits;
    const std::size_t colour_stride = static_cast<std::size_t>((out.side * out.bits + 31) / 32 * 4);
    const std::size_t mask_stride = static_cast<std::size_t>((out.side + 31) / 32 * 4);
    const std::size_t pixels = palette + 4 * entries, mask = pixels + colour_stride * static_cast<std::size_t>(out.side);
    for (int y = 0; y < out.side; ++y) {
        const std::size_t row = static_cast<std::size_t>(out.side - 1 - y);
        for (int x = 0; x < out.side; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x * out.bits);
            const unsigned byte = dib[pixels + row * colour_stride + bit / 8];
            const unsigned index = (byte >> (8 - out.bits - bit % 8)) & ((1u << out.bits) - 1);
            const std::size_t entry = palette + 4 * index;
            out.colour.push_back(std::uint32_t{dib[entry + 2]} << 16 | std::uint32_t{dib[entry + 1]} << 8 | dib[entry]);
            out.clear.push_back((dib[mask + row * mask_stride + static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1) != 0);
        }
    }
    return out;
}

TEST(EmbeddedCursors, EachBlockHoldsA128PixelCursorWithItsHotspotOnItsPicture) {
    std::set<Bytes> files;
    for (int i = 0; i < static_cast<int>(embedded_cursors.size()); ++i) {
        const auto cursor = static_cast<EmbeddedCursor>(i);
        const EmbeddedCursorFacts& facts = embedded_cursors[cursor];
        SCOPED_TRACE(facts.name);
        const Bytes block = read_file(cursor_block_path(art_dir, cursor));
        const auto file = parse_embedded_block(block);
        ASSERT_TRUE(file) << failure_name(file.failure());
        ASSERT_EQ(file->size(), embedded_cursor_file_size);
        files.emplace(file->begin(), file->end());

        const PointerChoice choice = classify_pointer_setting(*file);
        ASSERT_EQ(choice.kind, PointerKind::cursor) << "not a cursor file by the pointer-setting rules";
        EXPECT_EQ(choice.cursor.width, embedded_cursor_side);
        EXPECT_EQ(choice.cursor.height, embedded_cursor_side);
        EXPECT_EQ(choice.cursor.hotspot_x, facts.hotspot_x);
        EXPECT_EQ(choice.cursor.hotspot_y, facts.hotspot_y);
        EXPECT_EQ(choice.cursor.image.data(), file->data() + 22);
        EXPECT_EQ(choice.cursor.image.size(), 19496u);
        const Bytes dib(choice.cursor.image.begin(), choice.cursor.image.end());
        EXPECT_EQ(le(dib, 0, 4), 40u);
        EXPECT_EQ(le(dib, 4, 4), 128u);
        EXPECT_EQ(le(dib, 8, 4), 256u);
        EXPECT_EQ(le(dib, 12, 2), 1u);
        EXPECT_EQ(le(dib, 14, 2), 8u);
        EXPECT_EQ(le(dib, 16, 4), 0u) << "uncompressed";

        const CursorPixels pixels = read_pixels(choice.cursor);
        const int first = embedded_cursor_picture_first, last = embedded_cursor_picture_last;
        int opaque = 0, left = 128, right = -1, top = 128, bottom = -1;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                if (!pixels.opaque(x, y)) {
                    EXPECT_EQ(pixels.colour[static_cast<std::size_t>(y * 128 + x)], 0u)
                        << "masked pixel " << x << "," << y << " is not black";
                    continue;
                }
                ++opaque;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
        EXPECT_GE(left, first);
        EXPECT_LE(right, last);
        EXPECT_GE(top, first);
        EXPECT_LE(bottom, last);
        EXPECT_GE(std::max(right - left, bottom - top) + 1, 18) << "a picture about 22 pixels across";
        EXPECT_GT(opaque, 100) << "hardly anything drawn";
        EXPECT_TRUE(pixels.opaque(facts.hotspot_x, facts.hotspot_y)) << "the hotspot is off the picture";
    }
    EXPECT_EQ(files.size(), embedded_cursors.size()) << "two cursors are the same file";
}

TEST(EmbeddedCursors, HandIsA32PixelBlackAndWhiteCursorPointingWithItsHotspot) {
    const Bytes file = read_file(art_dir / hand_cursor_file);
    const PointerChoice choice = classify_pointer_setting(file);
    ASSERT_EQ(choice.kind, PointerKind::cursor);
    EXPECT_EQ(choice.cursor.width, hand_pointer_side);
    EXPECT_EQ(choice.cursor.height, hand_pointer_side);
    EXPECT_EQ(choice.cursor.hotspot_x, hand_pointer_hotspot_x);
    EXPECT_EQ(choice.cursor.hotspot_y, hand_pointer_hotspot_y);
    const CursorPixels pixels = read_pixels(choice.cursor);
    EXPECT_EQ(pixels.bits, 1);
    int black = 0, white = 0;
    for (int y = 0; y < hand_pointer_side; ++y) {
        for (int x = 0; x < hand_pointer_side; ++x) {
            if (!pixels.opaque(x, y)) continue;
            const std::uint32_t c = pixels.colour[static_cast<std::size_t>(y * hand_pointer_side + x)];
            EXPECT_TRUE(c == 0 || c == 0xFFFFFF) << x << "," << y;
            (c == 0 ? black : white) += 1;
        }
    }
    EXPECT_GT(white, 150);
    EXPECT_GT(black, 60);
    // The fingertip: the hotspot is inked and nothing lies above it.
    EXPECT_TRUE(pixels.opaque(hand_pointer_hotspot_x, hand_pointer_hotspot_y));
    for (int y = 0; y < hand_pointer_hotspot_y; ++y) EXPECT_FALSE(pixels.opaque(hand_pointer_hotspot_x, y));
}

}  // namespace
}  // namespace pawlet::art
