#include "formats/cursor_file.h"

#include "base/byte_reader.h"

namespace pawlet {
namespace {
constexpr std::size_t header_and_entry_size = 22;  // 6-byte header + one 16-byte directory entry
}  // namespace

const char* failure_name(CursorFileFailure failure) {
    switch (failure) {
    case CursorFileFailure::too_short: return "too_short";
    case CursorFileFailure::bad_reserved: return "bad_reserved";
    case CursorFileFailure::not_a_cursor: return "not_a_cursor";
    case CursorFileFailure::no_images: return "no_images";
    case CursorFileFailure::offset_past_end: return "offset_past_end";
    case CursorFileFailure::size_too_large: return "size_too_large";
    case CursorFileFailure::image_past_end: return "image_past_end";
    }
    return "unknown";
}

Parsed<CursorImage, CursorFileFailure> parse_cursor_file(std::span<const std::uint8_t> file) {
    const ByteReader in(file);
    // Every field below lies inside the first 22 bytes, so the reads cannot come back empty.
    if (in.size() <= header_and_entry_size) return CursorFileFailure::too_short;
    if (*in.u16(0) != 0) return CursorFileFailure::bad_reserved;
    if (*in.u16(2) != 2) return CursorFileFailure::not_a_cursor;
    if (*in.u16(4) < 1) return CursorFileFailure::no_images;

    const std::size_t size = *in.u32(14);
    const std::size_t offset = *in.u32(18);
    if (offset > in.size()) return CursorFileFailure::offset_past_end;
    if (size > in.size() - header_and_entry_size) return CursorFileFailure::size_too_large;
    const auto image = in.range(offset, size);
    if (!image) return CursorFileFailure::image_past_end;

    CursorImage out;
    out.width = *in.u8(6) == 0 ? 256 : *in.u8(6);
    out.height = *in.u8(7) == 0 ? 256 : *in.u8(7);
    out.hotspot_x = *in.u16(10);
    out.hotspot_y = *in.u16(12);
    out.image = *image;
    return out;
}

}  // namespace pawlet
