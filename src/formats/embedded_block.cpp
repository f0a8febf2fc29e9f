#include "formats/embedded_block.h"

#include "base/byte_reader.h"

namespace pawlet {

const char* failure_name(EmbeddedBlockFailure failure) {
    switch (failure) {
    case EmbeddedBlockFailure::too_short: return "too_short";
    case EmbeddedBlockFailure::bad_marker: return "bad_marker";
    case EmbeddedBlockFailure::length_mismatch: return "length_mismatch";
    }
    return "unknown";
}

Parsed<std::span<const std::uint8_t>, EmbeddedBlockFailure> parse_embedded_block(
    std::span<const std::uint8_t> block) {
    const ByteReader in(block);
    if (in.size() < embedded_block_header_size) return EmbeddedBlockFailure::too_short;
    if (*in.u32(0) != 1) return EmbeddedBlockFailure::bad_marker;
    if (*in.u32(4) != in.size() - embedded_block_header_size) return EmbeddedBlockFailure::length_mismatch;
    return block.subspan(embedded_block_header_size);
}

}  // namespace pawlet
