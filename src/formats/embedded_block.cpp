#include "formats/embedded_block.h"

#include "base/byte_reader.h"

namespace pawlet {
const char* failure_name(EmbeddedBlockFailure failure) {
    switch (failure) {
    case EmbeddedBlockFailure::too_short: return "too_short";
    case EmbeddedBlockFailure::bad_tag: return "bad_tag";
    case EmbeddedBlockFailure::length_past_end: return "length_past_end";
    case EmbeddedBlockFailure::trailing_bytes: return "trailing_bytes";
    }
    return "unknown";
}

Parsed<std::span<const std::uint8_t>, EmbeddedBlockFailure> parse_embedded_block(
    std::span<const std::uint8_t> block) {
    const ByteReader in(block);
    if (in.size() < embedded_block_header_size) return EmbeddedBlockFailure::too_short;
    if (*in.u32(0) != 1) return EmbeddedBlockFailure::bad_tag;
    const std::size_t length = *in.u32(4);
    const auto bytes = in.range(embedded_block_header_size, length);
    if (!bytes) return EmbeddedBlockFailure::length_past_end;
    if (embedded_block_header_size + length != in.size()) return EmbeddedBlockFailure::trailing_bytes;
    return *bytes;
}

}  // namespace pawlet
