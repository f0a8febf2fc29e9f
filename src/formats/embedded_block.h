#pragma once
#include <cstdint>
#include <span>

#include "base/parsed.h"

namespace pawlet {

// A block of bytes the program carries among its resources: a 32-bit little-endian 1, the
// 32-bit little-endian length, then that many bytes.
inline constexpr std::size_t embedded_block_header_size = 8;

enum class EmbeddedBlockFailure {
    too_short,        // no room for the header
    bad_marker,       // the first field is not 1
    length_mismatch,  // the length is not the count of bytes behind the header
};

const char* failure_name(EmbeddedBlockFailure failure);

// The bytes behind the header, inside `block`.
Parsed<std::span<const std::uint8_t>, EmbeddedBlockFailure> parse_embedded_block(
    std::span<const std::uint8_t> block);

}  // namespace pawlet
