#include "formats/skin_file.h"

#include <optional>

#include "base/byte_reader.h"

namespace pawlet {
namespace {
constexpr std::size_t header_size = 16;
constexpr std::size_t chunk_header_size = 8;
constexpr std::size_t fill_size = 12;
constexpr std::size_t font_record_size = 5 + skin_limits::max_font_name_length;
constexpr std::size_t button_face_size = fill_size + 8;
constexpr std::size_t frame_size = fill_size + 4 + 12;
constexpr std::size_t label_size = fill_size + 8;
constexpr std::size_t buttons_size = 8 + button_state_count * button_face_size;

enum ChunkIndex { name_chunk, font_chunk, frame_chunk, label_chunk, button_chunk, picture_chunk, padding_chunk, chunk_kinds };
struct ChunkKind {
    char tag[5];
    bool required;
};
constexpr ChunkKind chunk_kinds_table[chunk_kinds] = {
    {"NAME", true}, {"FONT", true}, {"FRAM", true}, {"LABL", true},
    {"BUTN", true}, {"PICT", false}, {"PAD ", false},
};

std::optional<int> chunk_kind(std::span<const std::uint8_t> tag) {
    for (int k = 0; k < chunk_kinds; ++k) {
        bool same = true;
        for (int i = 0; i < 4; ++i) same = same && tag[i] == static_cast<std::uint8_t>(chunk_kinds_table[k].tag[i]);
        if (same) return k;
    }
    return std::nullopt;
}

bool printable(std::uint8_t c) { return c >= 0x20 && c <= 0x7E; }

// Reads one chunk's fields in order; every read is inside the chunk, whose size was checked.
class Fields {
public:
    explicit Fields(std::span<const std::uint8_t> data) : in_(data) {}
    std::uint8_t u8() { return *in_.u8(at_++); }
    std::uint16_t u16() { const auto v = *in_.u16(at_); at_ += 2; return v; }
    std::uint32_t u32() { const auto v = *in_.u32(at_); at_ += 4; return v; }
    bool zeros(std::size_t count) {
        bool all = true;
        for (std::size_t i = 0; i < count; ++i) all = all && u8() == 0;
        return all;
    }
    std::size_t at() const { return at_; }

private:
    ByteReader in_;
    std::size_t at_ = 0;
};

std::optional<SkinFailure> read_colour(Fields& f, SkinColour& out) {
    out = f.u32();
    if (out > 0xFFFFFF) return SkinFailure::bad_colour;
    return std::nullopt;
}

std::optional<SkinFailure> read_fill(Fields& f, int picture_count, SkinFill& out) {
    const std::uint8_t kind = f.u8();
    out.picture = f.u8();
    out.slice = f.u8();
    if (f.u8() != 0) return SkinFailure::reserved_not_zero;
    if (auto bad = read_colour(f, out.a)) return bad;
    if (auto bad = read_colour(f, out.b)) return bad;
    if (kind < 1 || kind > 4) return SkinFailure::bad_fill;
    out.kind = static_cast<FillKind>(kind);
    const bool uses_picture = out.kind == FillKind::stretched || out.kind == FillKind::tiled;
    if (!uses_picture) {
        if (out.picture != 0 || out.slice != 0) return SkinFailure::reserved_not_zero;
        return std::nullopt;
    }
    if (out.picture >= picture_count) return SkinFailure::picture_missing;
    if (out.kind == FillKind::tiled && out.slice != 0) return SkinFailure::reserved_not_zero;
    return std::nullopt;
}

std::optional<SkinFailure> check_slice(const SkinFill& fill, const Skin& skin) {
    if (fill.kind != FillKind::stretched) return std::nullopt;
    const SkinPicture& p = skin.pictures[static_cast<std::size_t>(fill.picture)];
    if (2 * fill.slice >= p.width || 2 * fill.slice >= p.height) return SkinFailure::bad_slice;
    return std::nullopt;
}

std::optional<SkinFailure> read_font(Fields& f, SkinFont& out) {
    out.height = f.u8();
    const std::uint8_t flags = f.u8();
    out.weight = f.u16();
    const std::size_t length = f.u8();
    if (out.height < skin_limits::min_font_height || out.height > skin_limits::max_font_height ||
        out.weight < 100 || out.weight > 900 || out.weight % 100 != 0 || (flags & ~1u) != 0 ||
        length == 0 || length > skin_limits::max_font_name_length)
        return SkinFailure::bad_font;
    out.italic = (flags & 1u) != 0;
    for (std::size_t i = 0; i < skin_limits::max_font_name_length; ++i) {
        const std::uint8_t c = f.u8();
        if (i < length ? !printable(c) : c != 0) return SkinFailure::bad_font;
        out.name[i] = static_cast<char>(c);
    }
    return std::nullopt;
}

std::optional<SkinFailure> read_name(std::span<const std::uint8_t> data, Skin& skin) {
    if (data.empty() || data.size() > skin_limits::max_name_length) return SkinFailure::bad_name;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (!printable(data[i])) return SkinFailure::bad_name;
        skin.name[i] = static_cast<char>(data[i]);
    }
    return std::nullopt;
}

std::optional<SkinFailure> read_pictures(std::span<const std::uint8_t> data, Skin& skin) {
    const ByteReader in(data);
    const auto count = in.u8(0);
    if (!count || !in.holds(0, 4)) return SkinFailure::bad_chunk_size;
    if (*in.u8(1) != 0 || *in.u8(2) != 0 || *in.u8(3) != 0) return SkinFailure::reserved_not_zero;
    if (*count == 0 || *count > skin_limits::max_pictures) return SkinFailure::bad_picture;
    std::size_t at = 4;
    for (std::size_t i = 0; i < *count; ++i) {
        const auto width = in.u16(at), height = in.u16(at + 2);
        if (!width || !height) return SkinFailure::bad_chunk_size;
        if (*width == 0 || *height == 0 || *width > skin_limits::max_picture_extent ||
            *height > skin_limits::max_picture_extent)
            return SkinFailure::bad_picture;
        const std::size_t bytes = std::size_t{*width} * *height * 4;
        const auto pixels = in.range(at + 4, bytes);
        if (!pixels) return SkinFailure::bad_chunk_size;
        skin.pictures[i] = {*width, *height, *pixels};
        at += 4 + bytes;
    }
    if (at != data.size()) return SkinFailure::bad_chunk_size;
    skin.picture_count = *count;
    return std::nullopt;
}

std::optional<SkinFailure> read_fonts(std::span<const std::uint8_t> data, Skin& skin) {
    if (data.size() != 2 * font_record_size) return SkinFailure::bad_chunk_size;
    Fields f(data);
    if (auto bad = read_font(f, skin.label_font)) return bad;
    return read_font(f, skin.button_font);
}

std::optional<SkinFailure> read_frame(std::span<const std::uint8_t> data, Skin& skin) {
    if (data.size() != frame_size) return SkinFailure::bad_chunk_size;
    Fields f(data);
    if (auto bad = read_fill(f, skin.picture_count, skin.face)) return bad;
    skin.edge_width = f.u8();
    if (!f.zeros(3)) return SkinFailure::reserved_not_zero;
    if (auto bad = read_colour(f, skin.edge_light)) return bad;
    if (auto bad = read_colour(f, skin.edge_dark)) return bad;
    if (auto bad = read_colour(f, skin.aero_tint)) return bad;
    if (skin.edge_width > skin_limits::max_edge_width) return SkinFailure::bad_metric;
    return check_slice(skin.face, skin);
}

std::optional<SkinFailure> read_label(std::span<const std::uint8_t> data, Skin& skin) {
    if (data.size() != label_size) return SkinFailure::bad_chunk_size;
    Fields f(data);
    if (auto bad = read_fill(f, skin.picture_count, skin.label_back)) return bad;
    if (auto bad = read_colour(f, skin.label_text)) return bad;
    skin.label_padding = f.u8();
    if (!f.zeros(3)) return SkinFailure::reserved_not_zero;
    if (skin.label_padding > skin_limits::max_label_padding) return SkinFailure::bad_metric;
    return check_slice(skin.label_back, skin);
}

std::optional<SkinFailure> read_buttons(std::span<const std::uint8_t> data, Skin& skin) {
    if (data.size() != buttons_size) return SkinFailure::bad_chunk_size;
    Fields f(data);
    skin.corner_radius = f.u8();
    skin.border_width = f.u8();
    if (!f.zeros(2)) return SkinFailure::reserved_not_zero;
    if (auto bad = read_colour(f, skin.focus_ring)) return bad;
    if (skin.corner_radius > skin_limits::max_corner_radius || skin.border_width > skin_limits::max_border_width)
        return SkinFailure::bad_metric;
    for (SkinButtonFace& face : skin.button) {
        if (auto bad = read_fill(f, skin.picture_count, face.fill)) return bad;
        if (auto bad = read_colour(f, face.border)) return bad;
        if (auto bad = read_colour(f, face.text)) return bad;
        if (auto bad = check_slice(face.fill, skin)) return bad;
    }
    return std::nullopt;
}

std::optional<SkinFailure> check_padding(std::span<const std::uint8_t> data) {
    for (std::uint8_t b : data)
        if (b != 0) return SkinFailure::padding_not_zero;
    return std::nullopt;
}
}  // namespace

const char* failure_name(SkinFailure failure) {
    switch (failure) {
    case SkinFailure::too_short: return "too_short";
    case SkinFailure::too_large: return "too_large";
    case SkinFailure::bad_magic: return "bad_magic";
    case SkinFailure::bad_version: return "bad_version";
    case SkinFailure::size_mismatch: return "size_mismatch";
    case SkinFailure::reserved_not_zero: return "reserved_not_zero";
    case SkinFailure::bad_chunk_count: return "bad_chunk_count";
    case SkinFailure::chunk_past_end: return "chunk_past_end";
    case SkinFailure::trailing_bytes: return "trailing_bytes";
    case SkinFailure::unknown_chunk: return "unknown_chunk";
    case SkinFailure::duplicate_chunk: return "duplicate_chunk";
    case SkinFailure::missing_chunk: return "missing_chunk";
    case SkinFailure::bad_chunk_size: return "bad_chunk_size";
    case SkinFailure::bad_name: return "bad_name";
    case SkinFailure::bad_font: return "bad_font";
    case SkinFailure::bad_colour: return "bad_colour";
    case SkinFailure::bad_fill: return "bad_fill";
    case SkinFailure::picture_missing: return "picture_missing";
    case SkinFailure::bad_picture: return "bad_picture";
    case SkinFailure::bad_slice: return "bad_slice";
    case SkinFailure::bad_metric: return "bad_metric";
    case SkinFailure::padding_not_zero: return "padding_not_zero";
    }
    return "unknown";
}

Parsed<Skin, SkinFailure> parse_skin(std::span<const std::uint8_t> file) {
    const ByteReader in(file);
    if (in.size() < header_size) return SkinFailure::too_short;
    if (in.size() > skin_limits::max_file_size) return SkinFailure::too_large;
    if (file[0] != '.' || file[1] != 'S' || file[2] != 'H' || file[3] != 'E') return SkinFailure::bad_magic;
    if (*in.u16(4) != skin_format_version) return SkinFailure::bad_version;
    if (*in.u16(6) != 0 || *in.u16(14) != 0) return SkinFailure::reserved_not_zero;
    if (*in.u32(8) != in.size()) return SkinFailure::size_mismatch;
    const std::size_t count = *in.u16(12);
    if (count == 0 || count > skin_limits::max_chunks) return SkinFailure::bad_chunk_count;

    std::optional<std::span<const std::uint8_t>> chunks[chunk_kinds];
    std::size_t at = header_size;
    for (std::size_t i = 0; i < count; ++i) {
        const auto tag = in.range(at, 4);
        const auto length = in.u32(at + 4);
        if (!tag || !length) return SkinFailure::chunk_past_end;
        const auto data = in.range(at + chunk_header_size, *length);
        if (!data) return SkinFailure::chunk_past_end;
        const auto kind = chunk_kind(*tag);
        if (!kind) return SkinFailure::unknown_chunk;
        if (chunks[*kind]) return SkinFailure::duplicate_chunk;
        chunks[*kind] = *data;
        at += chunk_header_size + *length;
    }
    if (at != in.size()) return SkinFailure::trailing_bytes;
    for (int k = 0; k < chunk_kinds; ++k)
        if (chunk_kinds_table[k].required && !chunks[k]) return SkinFailure::missing_chunk;

    // Pictures first: the fills of the other chunks refer to them.
    Skin skin;
    if (chunks[picture_chunk])
        if (auto bad = read_pictures(*chunks[picture_chunk], skin)) return *bad;
    if (auto bad = read_name(*chunks[name_chunk], skin)) return *bad;
    if (auto bad = read_fonts(*chunks[font_chunk], skin)) return *bad;
    if (auto bad = read_frame(*chunks[frame_chunk], skin)) return *bad;
    if (auto bad = read_label(*chunks[label_chunk], skin)) return *bad;
    if (auto bad = read_buttons(*chunks[button_chunk], skin)) return *bad;
    if (chunks[padding_chunk])
        if (auto bad = check_padding(*chunks[padding_chunk])) return *bad;
    return skin;
}

}  // namespace pawlet
