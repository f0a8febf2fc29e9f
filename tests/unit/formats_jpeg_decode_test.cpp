#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "formats/jpeg_decode.h"
#include "jpeg_test_encoder.h"

namespace pawlet {
namespace {

using testing::Rgb;
using Bytes = std::vector<std::uint8_t>;

constexpr Rgb red{220, 30, 40};
constexpr Rgb blue{20, 40, 200};
constexpr Rgb green{40, 190, 60};

// 32 x 32: red top half, blue bottom half; halves meet on a chroma block boundary.
Bytes two_halves(testing::JpegOptions options = {}) {
    return testing::encode_jpeg(
        32, 32, [](int, int y) { return y < 16 ? red : blue; }, options);
}

std::string describe(const Parsed<Picture, JpegFailure>& p) {
    if (!p) return std::string("no picture: ") + failure_name(p.failure());
    return std::to_string(p->width) + " x " + std::to_string(p->height);
}

std::string describe(std::uint32_t pixel) {
    return "B,G,R,A = " + std::to_string(pixel & 0xFF) + "," + std::to_string(pixel >> 8 & 0xFF) +
           "," + std::to_string(pixel >> 16 & 0xFF) + "," + std::to_string(pixel >> 24);
}

void expect_near_colour(const Picture& p, int x, int y, Rgb want) {
    const std::uint32_t pixel = p.pixels[static_cast<std::size_t>(y) * p.width + x];
    const int b = pixel & 0xFF, g = pixel >> 8 & 0xFF, r = pixel >> 16 & 0xFF;
    constexpr int tolerance = 12;  // lossy coding moves flat colours by a few steps
    EXPECT_TRUE(std::abs(r - want.r) <= tolerance && std::abs(g - want.g) <= tolerance &&
                std::abs(b - want.b) <= tolerance)
        << "pixel (" << x << ", " << y << "): expected about R,G,B = " << int{want.r} << ","
        << int{want.g} << "," << int{want.b} << ", got " << describe(pixel);
}

// Rewrites the frame header's height and width (big-endian, after the 0xFF 0xC0/0xC2 marker,
// its length and the sample precision).
Bytes with_frame_size(Bytes jpeg, int width, int height) {
    std::size_t sof = testing::find_marker(jpeg, 0xC0);
    if (sof == 0) sof = testing::find_marker(jpeg, 0xC2);
    jpeg[sof + 5] = static_cast<std::uint8_t>(height >> 8);
    jpeg[sof + 6] = static_cast<std::uint8_t>(height);
    jpeg[sof + 7] = static_cast<std::uint8_t>(width >> 8);
    jpeg[sof + 8] = static_cast<std::uint8_t>(width);
    return jpeg;
}

// The first scan header's byte at `index` past its component list (0: Ss, 1: Se, 2: Ah/Al), or
// with `index` negative, the first component selector.
Bytes with_scan_byte(Bytes jpeg, int index, std::uint8_t value) {
    const std::size_t sos = testing::find_marker(jpeg, 0xDA);
    const std::size_t components = jpeg[sos + 4];
    const std::size_t at = index < 0 ? sos + 5 : sos + 5 + 2 * components + index;
    jpeg[at] = value;
    return jpeg;
}

// A progressive file whose last scan repeats until the file holds `scans` scans. Repeating a
// refinement scan is only a warning to libjpeg, so the count is the one thing that changes.
Bytes with_scan_count(int scans) {
    const Bytes jpeg = two_halves({.progressive = true});
    int present = 0;
    std::size_t last_sos = 0;
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) {
            ++present;
            last_sos = i;
        }
    }
    const Bytes last_scan(jpeg.begin() + static_cast<std::ptrdiff_t>(last_sos), jpeg.end() - 2);
    Bytes out(jpeg.begin(), jpeg.end() - 2);  // without the end-of-image marker
    for (int i = present; i < scans; ++i) out.insert(out.end(), last_scan.begin(), last_scan.end());
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

Bytes cut(const Bytes& jpeg, std::size_t length) { return Bytes(jpeg.begin(), jpeg.begin() + length); }

TEST(DecodeJpeg, DecodesPicturesToTheirSizeAndColours) {
    struct Case {
        const char* name;
        Bytes jpeg;
        int width, height;
        std::vector<std::tuple<int, int, Rgb>> samples;
    };
    const std::vector<Case> cases = {
        {"baseline", two_halves(), 32, 32, {{3, 3, red}, {28, 12, red}, {3, 20, blue}, {28, 28, blue}}},
        {"progressive", two_halves({.progressive = true}), 32, 32, {{3, 3, red}, {28, 28, blue}}},
        {"greyscale", testing::solid_jpeg(8, 8, {90, 90, 90}), 8, 8, {{4, 4, {90, 90, 90}}}},
        {"odd size", testing::encode_jpeg(13, 7, [](int x, int) { return x < 8 ? green : blue; }),
         13, 7, {{2, 3, green}, {12, 3, blue}}},
        {"wide thin", testing::solid_jpeg(320, 1, green), 320, 1, {{0, 0, green}, {319, 0, green}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = decode_jpeg(c.jpeg);
        ASSERT_TRUE(picture && picture->width == c.width && picture->height == c.height)
            << "expected " << c.width << " x " << c.height << ", got " << describe(picture);
        ASSERT_EQ(picture->pixels.size(), static_cast<std::size_t>(c.width) * c.height);
        for (const auto& [x, y, colour] : c.samples) expect_near_colour(*picture, x, y, colour);
        for (std::uint32_t pixel : picture->pixels)
            ASSERT_EQ(pixel >> 24, 0xFFu) << "alpha of " << describe(pixel);
    }
}

// Photoshop's and ImageMagick's CMYK files: libjpeg gives their inks, which we turn into colours.
TEST(DecodeJpeg, CmykPictureComesOutInItsColours) {
    // Inverted inks, as Adobe's marker says: red is no cyan and no black, full magenta and yellow.
    const std::uint8_t red_inks[4] = {255, 0, 0, 255}, half_grey_inks[4] = {255, 255, 255, 128};
    std::vector<std::uint8_t> inks;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::uint8_t* pixel = x < 8 ? red_inks : half_grey_inks;
            inks.insert(inks.end(), pixel, pixel + 4);
        }
    }
    const auto picture = decode_jpeg(media::encode_jpeg(inks, 16, 16, {.cmyk = true, .full_chroma = true}));
    ASSERT_TRUE(picture && picture->width == 16 && picture->height == 16) << describe(picture);
    expect_near_colour(*picture, 2, 8, {255, 0, 0});
    expect_near_colour(*picture, 13, 8, {128, 128, 128});
    for (std::uint32_t pixel : picture->pixels) ASSERT_EQ(pixel >> 24, 0xFFu) << describe(pixel);
}

TEST(DecodeJpeg, GreyPictureHasEqualChannels) {
    const auto picture = decode_jpeg(testing::encode_jpeg(
        8, 8, [](int x, int) { return Rgb{0, static_cast<std::uint8_t>(x * 30), 0}; }, {.grey = true}));
    ASSERT_TRUE(picture);
    for (std::uint32_t pixel : picture->pixels) {
        const auto b = pixel & 0xFF, g = pixel >> 8 & 0xFF, r = pixel >> 16 & 0xFF;
        ASSERT_TRUE(b == g && g == r) << describe(pixel);
    }
}

TEST(DecodeJpeg, NamesWhyDataGivesNoPicture) {
    std::mt19937 random(7);
    Bytes noise(2000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    Bytes noise_after_start_marker = noise;
    noise_after_start_marker[0] = 0xFF;
    noise_after_start_marker[1] = 0xD8;

    const Bytes good = two_halves();
    const Bytes progressive = two_halves({.progressive = true});
    struct Case {
        const char* name;
        Bytes data;
        JpegFailure expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, JpegFailure::empty},
        {"one byte", {0xFF}, JpegFailure::bad_header},
        {"start marker only", {0xFF, 0xD8}, JpegFailure::bad_header},
        {"start and end markers", {0xFF, 0xD8, 0xFF, 0xD9}, JpegFailure::bad_header},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'c', 'a', 't'}, JpegFailure::bad_header},
        {"PNG signature", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}, JpegFailure::bad_header},
        {"noise", noise, JpegFailure::bad_header},
        {"noise after a start marker", noise_after_start_marker, JpegFailure::bad_header},
        {"headers without a scan", cut(good, testing::find_marker(good, 0xDA)), JpegFailure::bad_header},
        {"zero height", with_frame_size(good, 32, 0), JpegFailure::bad_header},
        {"zero width", with_frame_size(good, 0, 32), JpegFailure::bad_header},
        {"width one past the side limit", with_frame_size(good, jpeg_max_side + 1, 8), JpegFailure::too_large},
        {"height one past the side limit", with_frame_size(good, 8, jpeg_max_side + 1), JpegFailure::too_large},
        {"65535 x 65535", with_frame_size(good, 65535, 65535), JpegFailure::bad_header},
        {"both sides at the limit: too many pixels", with_frame_size(good, jpeg_max_side, jpeg_max_side), JpegFailure::too_large},
        {"progressive, huge", with_frame_size(progressive, 65535, 65535), JpegFailure::bad_header},
        {"progressive DC scan with a spectral end", with_scan_byte(progressive, 1, 5), JpegFailure::bad_data},
        {"progressive scan with a bad approximation", with_scan_byte(progressive, 2, 0xEE), JpegFailure::bad_data},
        {"progressive scan of an unknown component", with_scan_byte(progressive, -1, 9), JpegFailure::bad_header},
        {"progressive with more scans than the limit", with_scan_count(501), JpegFailure::too_many_scans},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(describe(decode_jpeg(c.data)), std::string("no picture: ") + failure_name(c.expected))
            << c.name;
    }
}

TEST(DecodeJpeg, TakesLimitsThatAreJustInside) {
    struct Case {
        const char* name;
        Bytes jpeg;
        int width, height;
    };
    const Bytes good = two_halves();
    // The data covers 32 x 32 only; libjpeg fills the rest as it does for a truncated file.
    const std::vector<Case> cases = {
        {"width at the side limit", with_frame_size(good, jpeg_max_side, 8), jpeg_max_side, 8},
        {"height at the side limit", with_frame_size(good, 8, jpeg_max_side), 8, jpeg_max_side},
        {"500 scans", with_scan_count(500), 32, 32},
    };
    for (const Case& c : cases) {
        const auto picture = decode_jpeg(c.jpeg);
        EXPECT_TRUE(picture && picture->width == c.width && picture->height == c.height)
            << c.name << ": expected " << c.width << " x " << c.height << ", got " << describe(picture);
    }
}

TEST(DecodeJpeg, TruncatedFileDecodesOnlyOnceItsScanHasBegun) {
    for (const bool progressive : {false, true}) {
        const Bytes jpeg = two_halves({.progressive = progressive});
        const std::size_t sof = testing::find_marker(jpeg, progressive ? 0xC2 : 0xC0);
        const std::size_t sos = testing::find_marker(jpeg, 0xDA);
        const std::size_t data = sos + 2 + (std::size_t{jpeg[sos + 2]} << 8 | jpeg[sos + 3]);
        std::size_t first_scan_end = data;  // the next marker: a later scan or the end of image
        while (!(jpeg[first_scan_end] == 0xFF && jpeg[first_scan_end + 1] != 0)) ++first_scan_end;
        struct Case {
            const char* name;
            std::size_t length;
            bool decodes;
        };
        const std::vector<Case> cases = {
            {"inside the start marker", 1, false},
            {"before the frame header", sof, false},
            {"inside the frame header", sof + 6, false},
            {"before the first scan", sos, false},
            {"at the start of the scan data", data, true},
            {"half way through the first scan's data", (data + first_scan_end) / 2, true},
            {"after the first scan", first_scan_end, true},
            {"without the end marker", jpeg.size() - 2, true},
            {"one byte short", jpeg.size() - 1, true},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(progressive ? "progressive, " : "baseline, ") + c.name);
            const auto picture = decode_jpeg(cut(jpeg, c.length));
            EXPECT_EQ(describe(picture), c.decodes ? "32 x 32" : "no picture: bad_header");
        }
        // A baseline file cut near its end has lost only its last rows.
        if (!progressive) {
            const auto picture = decode_jpeg(cut(jpeg, jpeg.size() - 2));
            ASSERT_TRUE(picture);
            expect_near_colour(*picture, 3, 3, red);
        }
    }
}

TEST(DecodeJpegInto, ReusesTheCallersPictureAndEmptiesItOnFailure) {
    const Bytes large = testing::encode_jpeg(40, 24, [](int x, int) { return x < 20 ? red : blue; });
    const Bytes large_swapped = testing::encode_jpeg(40, 24, [](int x, int) { return x < 20 ? blue : red; });
    const Bytes small = testing::solid_jpeg(16, 8, green);
    const Bytes bad_scan = with_scan_byte(two_halves({.progressive = true}), 2, 0xEE);
    struct Step {
        Bytes jpeg;
        std::string expected;
        std::vector<std::tuple<int, int, Rgb>> samples;
        bool same_buffer;  // the pixels stay where the previous step's were
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"same size twice", {{large, "40 x 24", {{2, 2, red}, {38, 20, blue}}, false},
                             {large_swapped, "40 x 24", {{2, 2, blue}, {38, 20, red}}, true}}},
        {"smaller after larger", {{large, "40 x 24", {}, false},
                                  {small, "16 x 8", {{0, 0, green}, {15, 7, green}}, true}}},
        {"larger after smaller", {{small, "16 x 8", {}, false},
                                  {large, "40 x 24", {{2, 2, red}, {38, 20, blue}}, false}}},
        {"bad header after a picture", {{large, "40 x 24", {}, false},
                                        {Bytes{0xFF, 0xD8}, "no picture: bad_header", {}, false}}},
        {"bad data after a picture", {{large, "40 x 24", {}, false},
                                      {bad_scan, "no picture: bad_data", {}, false}}},
        {"a picture after a failure", {{large, "40 x 24", {}, false},
                                       {Bytes{}, "no picture: empty", {}, false},
                                       {small, "16 x 8", {{8, 4, green}}, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Picture into;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i));
            const Step& step = c.steps[i];
            const std::uint32_t* before = into.pixels.data();
            const JpegDecoded outcome = decode_jpeg_into(step.jpeg, into);
            const std::string got = outcome ? std::to_string(into.width) + " x " + std::to_string(into.height)
                                            : std::string("no picture: ") + failure_name(outcome.failure());
            ASSERT_EQ(got, step.expected);
            if (!outcome) {
                EXPECT_TRUE(into.empty() && into.width == 0 && into.height == 0 && into.pixels.empty());
                continue;
            }
            ASSERT_EQ(into.pixels.size(), static_cast<std::size_t>(into.width) * into.height);
            if (step.same_buffer) {
                EXPECT_EQ(into.pixels.data(), before) << "the buffer was replaced";
            }
            for (const auto& [x, y, colour] : step.samples) expect_near_colour(into, x, y, colour);
        }
    }
}

// A frame far larger than the rest must not leave its memory held for every frame after it.
TEST(DecodeJpegInto, GivesBackTheBufferOfAnOutsizedPicture) {
    Picture into;
    ASSERT_TRUE(decode_jpeg_into(testing::solid_jpeg(2400, 2400, red), into));
    ASSERT_TRUE(decode_jpeg_into(testing::solid_jpeg(320, 480, green), into));
    expect_near_colour(into, 319, 479, green);
    EXPECT_LE(into.pixels.capacity(), std::size_t{1} << 22) << "the outsized buffer is still held";
}

// The part reported as changed must be exactly the box around the pixels that differ between
// two separate decodes, and the picture decoded over the old one must equal a fresh decode.
TEST(DecodeJpegInto, ReportsTheSmallestRectangleAroundWhatChanged) {
    const auto scene = [](int patch_left, int patch_top) {
        return [=](int x, int y) {
            const bool in_patch = x >= patch_left && x < patch_left + 10 && y >= patch_top &&
                                  y < patch_top + 6;
            return in_patch ? red : Rgb{static_cast<std::uint8_t>(x * 4), 120,
                                        static_cast<std::uint8_t>(y * 4)};
        };
    };
    const Bytes plain = testing::encode_jpeg(64, 48, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 4), 120, static_cast<std::uint8_t>(y * 4)};
    });
    const Bytes patched = testing::encode_jpeg(64, 48, scene(37, 21));
    const Bytes patched_elsewhere = testing::encode_jpeg(64, 48, scene(45, 25));
    const Bytes other_size = testing::encode_jpeg(48, 64, scene(3, 2));
    // CMYK rows turn into colours only once read, so they are never compared as they come.
    std::vector<std::uint8_t> red_inks;
    for (int i = 0; i < 64 * 48; ++i) red_inks.insert(red_inks.end(), {255, 0, 0, 255});
    const Bytes cmyk = media::encode_jpeg(red_inks, 64, 48, {.cmyk = true, .full_chroma = true});

    // The box around every pixel where two fresh decodes differ; empty when none does.
    const auto true_difference = [](const Bytes& a, const Bytes& b) {
        const Picture pa = *decode_jpeg(a), pb = *decode_jpeg(b);
        Rect box;
        for (int y = 0; y < pa.height; ++y)
            for (int x = 0; x < pa.width; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * pa.width + x;
                if (pa.pixels[i] == pb.pixels[i]) continue;
                box = box.empty() ? Rect{x, y, x + 1, y + 1}
                                  : Rect{std::min(box.left, x), std::min(box.top, y),
                                         std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
            }
        return box;
    };
    struct Step {
        const char* name;
        const Bytes* jpeg;
        std::optional<Rect> changed;  // nullopt: the box around the difference from the last step
    };
    const Rect whole{0, 0, 64, 48};
    const std::vector<Step> steps = {
        {"first picture: all of it", &plain, whole},
        {"the same picture again: nothing", &plain, Rect{}},
        {"a patch added", &patched, std::nullopt},
        {"the patch moved a little", &patched_elsewhere, std::nullopt},
        {"a CMYK picture: all of it", &cmyk, whole},
        {"the same CMYK picture again: all of it", &cmyk, whole},
        {"another size: all of it", &other_size, Rect{0, 0, 48, 64}},
        {"the first size again: all of it", &plain, whole},
    };
    Picture into;
    const Bytes* last = nullptr;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const JpegDecoded outcome = decode_jpeg_into(*step.jpeg, into);
        ASSERT_TRUE(outcome);
        const Rect want = step.changed ? *step.changed : true_difference(*last, *step.jpeg);
        EXPECT_EQ(*outcome, want) << "got (" << outcome->left << "," << outcome->top << ")-("
                                  << outcome->right << "," << outcome->bottom << ")";
        if (!step.changed) {
            EXPECT_FALSE(want.empty());
            EXPECT_LT(want.width() * want.height(), 64 * 48 / 2) << "a small patch changed a small part";
        }
        const Picture fresh = *decode_jpeg(*step.jpeg);
        EXPECT_TRUE(into.pixels == fresh.pixels) << "decoding over the last picture gave other pixels";
        last = step.jpeg;
    }

    // A failure after a picture leaves nothing to compare with: the next picture is all new.
    EXPECT_FALSE(decode_jpeg_into(with_scan_byte(two_halves({.progressive = true}), 2, 0xEE), into));
    const JpegDecoded after_failure = decode_jpeg_into(plain, into);
    ASSERT_TRUE(after_failure);
    EXPECT_EQ(*after_failure, whole);
}

}  // namespace
}  // namespace pawlet
