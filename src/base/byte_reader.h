#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pawlet {

// Reads little-endian fields and byte ranges of a buffer at absolute offsets. Every read is
// bounds-checked with arithmetic that cannot overflow: a field or range that does not lie wholly
// inside the buffer reads as nothing. Fields are read byte by byte, so the buffer needs no
// alignment.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }

    // True when `count` bytes starting at `offset` lie inside the buffer.
    bool holds(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }

    std::optional<std::uint8_t> u8(std::size_t offset) const {
        if (!holds(offset, 1)) return std::nullopt;
        return bytes_[offset];
    }
    std::optional<std::uint16_t> u16(std::size_t offset) const {
        if (!holds(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
    }
    std::optional<std::uint32_t> u32(std::size_t offset) const {
        if (!holds(offset, 4)) return std::nullopt;
        return std::uint32_t{bytes_[offset]} | std::uint32_t{bytes_[offset + 1]} << 8 |
               std::uint32_t{bytes_[offset + 2]} << 16 | std::uint32_t{bytes_[offset + 3]} << 24;
    }
    std::optional<std::span<const std::uint8_t>> range(std::size_t offset, std::size_t count) const {
        if (!holds(offset, count)) return std::nullopt;
        return bytes_.subspan(offset, count);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace pawlet
