#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "formats/skin_file.h"
#include "little_endian.h"
#include "fixtures/skin_fixture.h"
#include "skin_writer.h"

namespace pawlet {
namespace {

using fixtures::good_skin;
using fixtures::picture_pixels;
using fixtures::set_text;

using Bytes = std::vector<std::uint8_t>;
using little_endian::store16;
using little_endian::store32;

Bytes good_file(std::size_t total = 0) { return media::encode_skin(good_skin(), total); }

// Offset of a chunk's data in an encoded skin.
std::size_t chunk_data(const Bytes& file, const char* tag) {
    std::size_t at = 16;
    while (at + 8 <= file.size()) {
        const std::uint32_t length = file[at + 4] | file[at + 5] << 8 | file[at + 6] << 16 | file[at + 7] << 24;
        if (std::memcmp(&file[at], tag, 4) == 0) return at + 8;
        at += 8 + length;
    }
    ADD_FAILURE() << "no chunk " << tag;
    return 0;
}

Bytes edited(std::function<void(Bytes&)> edit, std::size_t total = 0) {
    Bytes file = good_file(total);
    edit(file);
    return file;
}

TEST(SkinFile, ReadsEveryField) {
    const Bytes file = good_file();
    const auto parsed = parse_skin(file);
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    const Skin& s = *parsed;
    EXPECT_STREQ(s.name.data(), "Test Tabby");
    EXPECT_STREQ(s.label_font.name.data(), "Tahoma");
    EXPECT_EQ(s.label_font.height, 12);
    EXPECT_FALSE(s.label_font.italic);
    EXPECT_EQ(s.button_font.weight, 700);
    EXPECT_TRUE(s.button_font.italic);
    EXPECT_EQ(s.face.kind, FillKind::gradient);
    EXPECT_EQ(s.face.b, 0xFFB070u);
    EXPECT_EQ(s.edge_width, 2);
    EXPECT_EQ(s.edge_dark, 0x804020u);
    EXPECT_EQ(s.aero_tint, 0xFFF0E0u);
    EXPECT_EQ(s.label_back.kind, FillKind::tiled);
    EXPECT_EQ(s.label_text, 0x402010u);
    EXPECT_EQ(s.label_padding, 2);
    EXPECT_EQ(s.corner_radius, 8);
    EXPECT_EQ(s.focus_ring, 0x203040u);
    EXPECT_EQ(s.button[button_default].fill.a, 0x505050u);
    EXPECT_EQ(s.button[button_pressed].fill.kind, FillKind::stretched);
    EXPECT_EQ(s.button[button_pressed].fill.slice, 1);
    EXPECT_EQ(s.button[button_hot].text, 0x00FF00u);
    ASSERT_EQ(s.picture_count, 1);
    EXPECT_EQ(s.pictures[0].width, 4);
    EXPECT_EQ(s.pictures[0].height, 6);
    EXPECT_EQ(Bytes(s.pictures[0].pixels.begin(), s.pictures[0].pixels.end()), picture_pixels());
    EXPECT_GE(s.pictures[0].pixels.data(), file.data());
    EXPECT_LT(s.pictures[0].pixels.data(), file.data() + file.size()) << "pictures point into the file";
}

TEST(SkinFile, AcceptsTheEdgesOfItsLimits) {
    struct Case {
        const char* name;
        Bytes file;
    };
    const std::vector<Case> cases = {
        {"padded to an exact size", good_file(26370)},
        {"padding of no bytes", [] {
             const std::size_t bare = good_file().size();
             return good_file(bare + 8);
         }()},
        {"no pictures, no padding", [] {
             Skin s = good_skin();
             s.picture_count = 0;
             s.label_back = {FillKind::solid, 0, 0, 1, 0};
             s.button[button_pressed].fill = {FillKind::solid, 0, 0, 2, 0};
             return media::encode_skin(s);
         }()},
        {"largest limits", [] {
             Skin s = good_skin();
             set_text(s.name.data(), std::string(skin_limits::max_name_length, '~').c_str());
             set_text(s.label_font.name.data(), std::string(skin_limits::max_font_name_length, 'F').c_str());
             s.label_font.height = skin_limits::max_font_height;
             s.button_font.weight = 900;
             s.corner_radius = skin_limits::max_corner_radius;
             s.border_width = skin_limits::max_border_width;
             s.edge_width = skin_limits::max_edge_width;
             s.label_padding = skin_limits::max_label_padding;
             s.face.a = 0xFFFFFF;
             return media::encode_skin(s);
         }()},
        {"chunks in another order", [] {
             Bytes f = good_file();
             // Swap NAME and FONT: both are whole chunks, so the file stays well formed.
             const std::size_t name = chunk_data(f, "NAME") - 8, font = chunk_data(f, "FONT") - 8;
             const std::size_t frame = chunk_data(f, "FRAM") - 8;
             Bytes swapped(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(name));
             swapped.insert(swapped.end(), f.begin() + static_cast<std::ptrdiff_t>(font), f.begin() + static_cast<std::ptrdiff_t>(frame));
             swapped.insert(swapped.end(), f.begin() + static_cast<std::ptrdiff_t>(name), f.begin() + static_cast<std::ptrdiff_t>(font));
             swapped.insert(swapped.end(), f.begin() + static_cast<std::ptrdiff_t>(frame), f.end());
             return swapped;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_skin(c.file);
        EXPECT_TRUE(parsed) << failure_name(parsed.failure());
    }
}

TEST(SkinFile, NamesWhyItRefusesAFile) {
    const auto at = [](const char* tag) { return [tag](const Bytes& f) { return chunk_data(f, tag); }; };
    const auto name = at("NAME"), font = at("FONT"), frame = at("FRAM"), label = at("LABL"),
               button = at("BUTN"), pict = at("PICT");
    // Offsets in a chunk: a fill is kind, picture, slice, reserved, colour a, colour b.
    struct Case {
        const char* name;
        Bytes file;
        SkinFailure expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, SkinFailure::too_short},
        {"15 bytes", edited([](Bytes& f) { f.resize(15); }), SkinFailure::too_short},
        {"over a megabyte", good_file(skin_limits::max_file_size + 1), SkinFailure::too_large},
        {"magic .SHF", edited([](Bytes& f) { f[3] = 'F'; }), SkinFailure::bad_magic},
        {"version 2", edited([](Bytes& f) { store16(f, 4, 2); }), SkinFailure::bad_version},
        {"flags set", edited([](Bytes& f) { store16(f, 6, 1); }), SkinFailure::reserved_not_zero},
        {"header reserved set", edited([](Bytes& f) { store16(f, 14, 1); }), SkinFailure::reserved_not_zero},
        {"length one short of the file", edited([](Bytes& f) { store32(f, 8, static_cast<std::uint32_t>(f.size() - 1)); }),
         SkinFailure::size_mismatch},
        {"cut short", edited([](Bytes& f) { f.pop_back(); }), SkinFailure::size_mismatch},
        {"no chunks", edited([](Bytes& f) { store16(f, 12, 0); }), SkinFailure::bad_chunk_count},
        {"17 chunks", edited([](Bytes& f) { store16(f, 12, 17); }), SkinFailure::bad_chunk_count},
        {"one chunk more than there is", edited([](Bytes& f) { store16(f, 12, 7); }), SkinFailure::chunk_past_end},
        {"chunk length past the end", edited([&](Bytes& f) { store32(f, pict(f) - 4, 0xFFFFFFF0u); }),
         SkinFailure::chunk_past_end},
        {"one chunk less than there is", edited([](Bytes& f) { store16(f, 12, 5); }), SkinFailure::trailing_bytes},
        {"unknown tag", edited([&](Bytes& f) { f[name(f) - 8] = 'n'; }), SkinFailure::unknown_chunk},
        {"a tag twice", edited([&](Bytes& f) { std::memcpy(&f[pict(f) - 8], "NAME", 4); }), SkinFailure::duplicate_chunk},
        {"no button chunk", edited([&](Bytes& f) { std::memcpy(&f[button(f) - 8], "PAD ", 4); }), SkinFailure::missing_chunk},
        {"frame chunk a byte short", [&] {
             Bytes f = good_file();
             const std::size_t at_frame = frame(f);
             f.erase(f.begin() + static_cast<std::ptrdiff_t>(at_frame));
             store32(f, at_frame - 4, 27);
             store32(f, 8, static_cast<std::uint32_t>(f.size()));
             return f;
         }(), SkinFailure::bad_chunk_size},
        {"picture chunk with a byte left over", [&] {
             Bytes f = good_file();
             const std::size_t at_pict = pict(f);
             f.push_back(0);
             store32(f, at_pict - 4, static_cast<std::uint32_t>(f.size() - at_pict));
             store32(f, 8, static_cast<std::uint32_t>(f.size()));
             return f;
         }(), SkinFailure::bad_chunk_size},
        {"empty name", [&] {
             Bytes f = good_file();
             const std::size_t at_name = name(f);
             const std::size_t length = f[at_name - 4];
             f.erase(f.begin() + static_cast<std::ptrdiff_t>(at_name), f.begin() + static_cast<std::ptrdiff_t>(at_name + length));
             store32(f, at_name - 4, 0);
             store32(f, 8, static_cast<std::uint32_t>(f.size()));
             return f;
         }(), SkinFailure::bad_name},
        {"name with a control character", edited([&](Bytes& f) { f[name(f) + 2] = '\n'; }), SkinFailure::bad_name},
        {"font height 7", edited([&](Bytes& f) { f[font(f)] = 7; }), SkinFailure::bad_font},
        {"font height 33", edited([&](Bytes& f) { f[font(f) + 36] = 33; }), SkinFailure::bad_font},
        {"font weight 450", edited([&](Bytes& f) { store16(f, font(f) + 2, 450); }), SkinFailure::bad_font},
        {"font weight 1000", edited([&](Bytes& f) { store16(f, font(f) + 38, 1000); }), SkinFailure::bad_font},
        {"unknown font flag", edited([&](Bytes& f) { f[font(f) + 1] = 2; }), SkinFailure::bad_font},
        {"font name length 0", edited([&](Bytes& f) { f[font(f) + 4] = 0; }), SkinFailure::bad_font},
        {"font name length 32", edited([&](Bytes& f) { f[font(f) + 4] = 32; }), SkinFailure::bad_font},
        {"bytes after the font name", edited([&](Bytes& f) { f[font(f) + 5 + 20] = 'x'; }), SkinFailure::bad_font},
        {"colour with a top byte", edited([&](Bytes& f) { f[frame(f) + 7] = 1; }), SkinFailure::bad_colour},
        {"label text with a top byte", edited([&](Bytes& f) { f[label(f) + 15] = 0x80; }), SkinFailure::bad_colour},
        {"fill kind 0", edited([&](Bytes& f) { f[frame(f)] = 0; }), SkinFailure::bad_fill},
        {"fill kind 5", edited([&](Bytes& f) { f[button(f) + 8] = 5; }), SkinFailure::bad_fill},
        {"fill reserved byte", edited([&](Bytes& f) { f[frame(f) + 3] = 1; }), SkinFailure::reserved_not_zero},
        {"gradient naming a picture", edited([&](Bytes& f) { f[frame(f) + 1] = 1; }), SkinFailure::reserved_not_zero},
        {"tiled picture 1 of 1", edited([&](Bytes& f) { f[label(f) + 1] = 1; }), SkinFailure::picture_missing},
        {"a picture without a picture chunk", edited([&](Bytes& f) { std::memcpy(&f[pict(f) - 8], "PAD ", 4); }),
         SkinFailure::picture_missing},
        {"picture count 0", edited([&](Bytes& f) { f[pict(f)] = 0; }), SkinFailure::bad_picture},
        {"picture count 17", edited([&](Bytes& f) { f[pict(f)] = 17; }), SkinFailure::bad_picture},
        {"picture width 0", edited([&](Bytes& f) { store16(f, pict(f) + 4, 0); }), SkinFailure::bad_picture},
        {"picture height 129", edited([&](Bytes& f) { store16(f, pict(f) + 6, 129); }), SkinFailure::bad_picture},
        {"picture larger than its chunk", edited([&](Bytes& f) { store16(f, pict(f) + 6, 7); }), SkinFailure::bad_chunk_size},
        {"slice of half the width", edited([&](Bytes& f) { f[button(f) + 8 + 2 * 20 + 2] = 2; }), SkinFailure::bad_slice},
        {"edge width 5", edited([&](Bytes& f) { f[frame(f) + 12] = 5; }), SkinFailure::bad_metric},
        {"corner radius 21", edited([&](Bytes& f) { f[button(f)] = 21; }), SkinFailure::bad_metric},
        {"border width 4", edited([&](Bytes& f) { f[button(f) + 1] = 4; }), SkinFailure::bad_metric},
        {"label padding 5", edited([&](Bytes& f) { f[label(f) + 16] = 5; }), SkinFailure::bad_metric},
        {"button reserved bytes", edited([&](Bytes& f) { f[button(f) + 3] = 1; }), SkinFailure::reserved_not_zero},
        {"padding that is not zeros", edited([](Bytes& f) { f[f.size() - 3] = 1; }, 2000), SkinFailure::padding_not_zero},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_skin(c.file);
        ASSERT_FALSE(parsed) << "accepted";
        EXPECT_STREQ(failure_name(parsed.failure()), failure_name(c.expected));
    }
}

TEST(SkinFile, WriterRefusesASizeTheSkinDoesNotFit) {
    const std::size_t bare = good_file().size();
    EXPECT_TRUE(good_file(bare - 1).empty());
    EXPECT_TRUE(good_file(bare + 7).empty()) << "no room for the padding chunk's own header";
    EXPECT_EQ(good_file(bare).size(), bare);
}

// Every single-byte change of a good file either parses or is refused by name: never a crash.
TEST(SkinFile, SurvivesEveryByteFlip) {
    const Bytes file = good_file(600);
    for (std::size_t i = 0; i < file.size(); ++i) {
        for (std::uint8_t value : {std::uint8_t{0}, std::uint8_t{0xFF}, std::uint8_t(file[i] + 1)}) {
            Bytes copy = file;
            copy[i] = value;
            const auto parsed = parse_skin(copy);
            if (!parsed) {
                EXPECT_STRNE(failure_name(parsed.failure()), "unknown");
            }
        }
    }
}

}  // namespace
}  // namespace pawlet
