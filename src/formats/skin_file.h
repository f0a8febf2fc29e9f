#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/parsed.h"

namespace pawlet {

// A skin file (docs/skin-format.md): ".SHE", a version, then tagged chunks. The parser checks
// every field before anything uses it; pictures refer into the buffer it was given.
namespace skin_limits {
inline constexpr std::size_t max_file_size = 1 << 20;
inline constexpr std::size_t max_chunks = 16;
inline constexpr std::size_t max_name_length = 48;
inline constexpr std::size_t max_font_name_length = 31;
inline constexpr int min_font_height = 8, max_font_height = 32;
inline constexpr std::size_t max_pictures = 16;
inline constexpr int max_picture_extent = 128;
inline constexpr int max_corner_radius = 20;
inline constexpr int max_border_width = 3;
inline constexpr int max_edge_width = 4;
inline constexpr int max_label_padding = 4;
}  // namespace skin_limits

inline constexpr std::uint16_t skin_format_version = 1;

// 0x00RRGGBB.
using SkinColour = std::uint32_t;

enum class FillKind : std::uint8_t {
    solid = 1,     // colour a
    gradient = 2,  // top to bottom, colour a to colour b
    stretched = 3, // a picture in nine parts: corners as they are, the rest stretched
    tiled = 4,     // a picture repeated from the top-left corner, over colour a
};

struct SkinPicture {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> pixels;  // B, G, R, A per pixel (not premultiplied), top row first
};

struct SkinFill {
    FillKind kind = FillKind::solid;
    int picture = 0;  // stretched and tiled only
    int slice = 0;    // stretched only: the corner size kept as it is
    SkinColour a = 0;
    SkinColour b = 0;
};

struct SkinFont {
    std::array<char, skin_limits::max_font_name_length + 1> name{};  // zero-terminated
    int height = 0;  // pixels
    int weight = 0;  // 100..900
    bool italic = false;
};

enum ButtonState { button_normal, button_hot, button_pressed, button_focused, button_default, button_state_count };

struct SkinButtonFace {
    SkinFill fill;
    SkinColour border = 0;
    SkinColour text = 0;
};

struct Skin {
    std::array<char, skin_limits::max_name_length + 1> name{};
    SkinFont label_font;
    SkinFont button_font;
    // The window's face and the line around it.
    SkinFill face;
    int edge_width = 0;
    SkinColour edge_light = 0;  // top and left
    SkinColour edge_dark = 0;   // right and bottom
    SkinColour aero_tint = 0;   // the highlight of the Aero look
    // The label.
    SkinFill label_back;
    SkinColour label_text = 0;
    int label_padding = 0;
    // The push button.
    int corner_radius = 0;
    int border_width = 0;
    SkinColour focus_ring = 0;
    std::array<SkinButtonFace, button_state_count> button{};
    std::array<SkinPicture, skin_limits::max_pictures> pictures{};
    int picture_count = 0;
};

enum class SkinFailure {
    too_short,          // no room for the 16-byte header
    too_large,          // over max_file_size
    bad_magic,          // not ".SHE"
    bad_version,        // a version this reader does not know
    size_mismatch,      // the header's length is not the buffer's
    reserved_not_zero,  // a reserved field or byte is set
    bad_chunk_count,    // 0 or more than max_chunks
    chunk_past_end,     // a chunk's header or data reaches past the end
    trailing_bytes,     // bytes after the last chunk
    unknown_chunk,      // a tag this version does not define
    duplicate_chunk,    // a tag seen twice
    missing_chunk,      // a required chunk is absent
    bad_chunk_size,     // a chunk's length does not fit its contents
    bad_name,           // empty, too long or not printable ASCII
    bad_font,           // name, height, weight or flags out of range
    bad_colour,         // the top byte of a colour is set
    bad_fill,           // unknown fill kind
    picture_missing,    // a fill names a picture the file lacks
    bad_picture,        // a picture's size is 0 or over max_picture_extent
    bad_slice,          // a slice leaves no middle to stretch
    bad_metric,         // a width, radius or padding out of range
    padding_not_zero,   // the padding chunk holds something other than zeros
};

const char* failure_name(SkinFailure failure);

Parsed<Skin, SkinFailure> parse_skin(std::span<const std::uint8_t> file);

}  // namespace pawlet
