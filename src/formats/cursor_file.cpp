#include "formats/cursor_file.h"

namespace pawlet {
namespace {

constexpr std::size_t header_and_entry_size = 22;  // 6-byte header + one 16-byte directory entry
constexpr std::uint32_t hand_pointer_number = 14;

// Little-endian fields, read byte by byte: the buffer has no alignment.
std::uint32_t read_u16(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8;
}
std::uint32_t read_u32(std::span<const std::uint8_t> b, std::size_t at) {
    return read_u16(b, at) | read_u16(b, at + 2) << 16;
}

}  // namespace

CursorFileCheck read_cursor_file(std::span<const std::uint8_t> file, CursorImage& out) {
    const std::size_t length = file.size();
    if (length <= header_and_entry_size) return CursorFileCheck::too_short;
    if (read_u16(file, 0) != 0) return CursorFileCheck::bad_reserved;
    if (read_u16(file, 2) != 2) return CursorFileCheck::not_a_cursor;
    if (read_u16(file, 4) < 1) return CursorFileCheck::no_images;

    const std::size_t size = read_u32(file, 14);
    const std::size_t offset = read_u32(file, 18);
    if (offset > length) return CursorFileCheck::offset_past_end;
    if (size > length - header_and_entry_size) return CursorFileCheck::size_too_large;
    if (size > length - offset) return CursorFileCheck::image_past_end;  // offset + size > length

    out.width = file[6] == 0 ? 256 : file[6];
    out.height = file[7] == 0 ? 256 : file[7];
    out.hotspot_x = static_cast<int>(read_u16(file, 10));
    out.hotspot_y = static_cast<int>(read_u16(file, 12));
    out.image = file.subspan(offset, size);
    return CursorFileCheck::valid;
}

PointerChoice classify_pointer_setting(std::span<const std::uint8_t> setting) {
    PointerChoice choice;
    if (setting.size() == 4 && read_u32(setting, 0) == hand_pointer_number) {
        choice.kind = PointerKind::hand;
    } else if (setting.size() > 10 && parse_cursor_file(setting, choice.cursor)) {
        choice.kind = PointerKind::cursor;
    }
    return choice;
}

}  // namespace pawlet
