#pragma once
// 16- and 32-bit fields in the byte order of RIFF, ICO and CUR files, least significant first.
// Plain C++ only: the Windows test programs build their fixtures with it too.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pawlet::little_endian {

inline void append16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void append32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    append16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    append16(out, static_cast<std::uint16_t>(v >> 16));
}

// Overwrites the field at `at`; the bytes must already be there.
inline void store16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void store32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t v) {
    store16(bytes, at, static_cast<std::uint16_t>(v & 0xFFFF));
    store16(bytes, at + 2, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace pawlet::little_endian
