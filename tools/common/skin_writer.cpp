#include "skin_writer.h"

#include <cstring>
#include <span>

#include "little_endian.h"

namespace pawlet::media {
namespace {
using little_endian::append16;
using little_endian::append32;
using Bytes = std::vector<std::uint8_t>;

void append_fill(Bytes& out, const SkinFill& fill) {
    out.push_back(static_cast<std::uint8_t>(fill.kind));
    out.push_back(static_cast<std::uint8_t>(fill.picture));
    out.push_back(static_cast<std::uint8_t>(fill.slice));
    out.push_back(0);
    append32(out, fill.a);
    append32(out, fill.b);
}

void append_font(Bytes& out, const SkinFont& font) {
    out.push_back(static_cast<std::uint8_t>(font.height));
    out.push_back(font.italic ? 1 : 0);
    append16(out, static_cast<std::uint16_t>(font.weight));
    const std::size_t length = std::strlen(font.name.data());
    out.push_back(static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < skin_limits::max_font_name_length; ++i)
        out.push_back(static_cast<std::uint8_t>(font.name[i]));
}

void append_zeros(Bytes& out, std::size_t count) { out.insert(out.end(), count, 0); }

struct Chunk {
    const char* tag;
    Bytes data;
};

Bytes name_chunk(const Skin& s) {
    const std::size_t length = std::strlen(s.name.data());
    return Bytes(s.name.data(), s.name.data() + length);
}

Bytes font_chunk(const Skin& s) {
    Bytes out;
    append_font(out, s.label_font);
    append_font(out, s.button_font);
    return out;
}

Bytes frame_chunk(const Skin& s) {
    Bytes out;
    append_fill(out, s.face);
    out.push_back(static_cast<std::uint8_t>(s.edge_width));
    append_zeros(out, 3);
    append32(out, s.edge_light);
    append32(out, s.edge_dark);
    append32(out, s.aero_tint);
    return out;
}

Bytes label_chunk(const Skin& s) {
    Bytes out;
    append_fill(out, s.label_back);
    append32(out, s.label_text);
    out.push_back(static_cast<std::uint8_t>(s.label_padding));
    append_zeros(out, 3);
    return out;
}

Bytes button_chunk(const Skin& s) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(s.corner_radius));
    out.push_back(static_cast<std::uint8_t>(s.border_width));
    append_zeros(out, 2);
    append32(out, s.focus_ring);
    for (const SkinButtonFace& face : s.button) {
        append_fill(out, face.fill);
        append32(out, face.border);
        append32(out, face.text);
    }
    return out;
}

Bytes picture_chunk(const Skin& s) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(s.picture_count));
    append_zeros(out, 3);
    for (int i = 0; i < s.picture_count; ++i) {
        const SkinPicture& p = s.pictures[static_cast<std::size_t>(i)];
        append16(out, static_cast<std::uint16_t>(p.width));
        append16(out, static_cast<std::uint16_t>(p.height));
        out.insert(out.end(), p.pixels.begin(), p.pixels.end());
    }
    return out;
}
}  // namespace

std::vector<std::uint8_t> encode_skin(const Skin& skin, std::size_t total_size) {
    std::vector<Chunk> chunks = {{"NAME", name_chunk(skin)},  {"FONT", font_chunk(skin)},
                                 {"FRAM", frame_chunk(skin)}, {"LABL", label_chunk(skin)},
                                 {"BUTN", button_chunk(skin)}};
    if (skin.picture_count > 0) chunks.push_back({"PICT", picture_chunk(skin)});
    std::size_t size = 16;
    for (const Chunk& c : chunks) size += skin_chunk_header_size + c.data.size();
    if (total_size != 0 && total_size != size) {
        if (total_size < size + skin_chunk_header_size) return {};
        chunks.push_back({"PAD ", Bytes(total_size - size - skin_chunk_header_size, 0)});
        size = total_size;
    }

    Bytes out = {'.', 'S', 'H', 'E'};
    append16(out, skin_format_version);
    append16(out, 0);
    append32(out, static_cast<std::uint32_t>(size));
    append16(out, static_cast<std::uint16_t>(chunks.size()));
    append16(out, 0);
    for (const Chunk& c : chunks) {
        out.insert(out.end(), c.tag, c.tag + 4);
        append32(out, static_cast<std::uint32_t>(c.data.size()));
        out.insert(out.end(), c.data.begin(), c.data.end());
    }
    return out;
}

}  // namespace pawlet::media
