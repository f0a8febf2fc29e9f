#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/parsed.h"

namespace pawlet {

// The header in front of each block the program carries: a 32-bit little-endian 1, then the
// 32-bit little-endian length of the bytes behind it.
inline constexpr std::size_t embedded_block_header_size = 8;

// Why a buffer is not an embedded block: the first check it fails.
enum class EmbeddedBlockFailure {
    too_short,        // fewer than the 8 bytes of the header
    bad_tag,          // the first 32-bit field is not 1
    length_past_end,  // the stated length runs past the end of the buffer
    trailing_bytes,   // bytes follow the stated length: the block is not what it says
};

const char* failure_name(EmbeddedBlockFailure failure);

// A block of bytes that the program carries: a 32-bit little-endian 1, the 32-bit little-endian
// length, then that many bytes. Gives those bytes, inside `block`.
Parsed<std::span<const std::uint8_t>, EmbeddedBlockFailure> parse_embedded_block(
    std::span<const std::uint8_t> block);

}  // namespace pawlet
