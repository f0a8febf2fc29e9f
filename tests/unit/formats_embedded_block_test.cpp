#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "formats/embedded_block.h"
#include "little_endian.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A block header (tag, length) followed by `payload`.
Bytes block(std::uint32_t tag, std::uint32_t length, const Bytes& payload) {
    Bytes b;
    little_endian::append32(b, tag);
    little_endian::append32(b, length);
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

TEST(EmbeddedBlock, GivesTheBytesBehindTheHeader) {
    struct Case {
        const char* name;
        Bytes block;
        std::size_t size;
    };
    const std::vector<Case> cases = {
        {"five bytes", block(1, 5, {10, 20, 30, 40, 50}), 5},
        {"empty payload", block(1, 0, {}), 0},
        {"length with every byte used", block(1, 0x102, Bytes(0x102, 7)), 0x102},
    };
    for (const Case& c : cases) {
        const auto parsed = parse_embedded_block(c.block);
        ASSERT_TRUE(parsed) << c.name << ": " << failure_name(parsed.failure());
        EXPECT_EQ(parsed->data(), c.block.data() + 8) << c.name;
        EXPECT_EQ(parsed->size(), c.size) << c.name;
    }
}

TEST(EmbeddedBlock, NamesTheFirstCheckABadBlockFails) {
    struct Case {
        const char* name;
        Bytes block;
        EmbeddedBlockFailure expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, EmbeddedBlockFailure::too_short},
        {"header cut to 7 bytes", {1, 0, 0, 0, 0, 0, 0}, EmbeddedBlockFailure::too_short},
        {"tag 0", block(0, 3, {1, 2, 3}), EmbeddedBlockFailure::bad_tag},
        {"tag 2", block(2, 3, {1, 2, 3}), EmbeddedBlockFailure::bad_tag},
        {"tag 1 big-endian", block(0x01000000, 3, {1, 2, 3}), EmbeddedBlockFailure::bad_tag},
        {"a bare cursor file", {0, 0, 2, 0, 1, 0, 128, 128, 0, 0}, EmbeddedBlockFailure::bad_tag},
        {"length one past the end", block(1, 4, {1, 2, 3}), EmbeddedBlockFailure::length_past_end},
        {"length 0xFFFFFFFF", block(1, 0xFFFFFFFF, {1, 2, 3}), EmbeddedBlockFailure::length_past_end},
        {"length 0xFFFFFFF8", block(1, 0xFFFFFFF8, {1, 2, 3}), EmbeddedBlockFailure::length_past_end},
        {"one byte too many", block(1, 2, {1, 2, 3}), EmbeddedBlockFailure::trailing_bytes},
        {"length 0 before bytes", block(1, 0, {1}), EmbeddedBlockFailure::trailing_bytes},
    };
    for (const Case& c : cases) {
        const auto parsed = parse_embedded_block(c.block);
        ASSERT_FALSE(parsed) << c.name;
        EXPECT_STREQ(failure_name(parsed.failure()), failure_name(c.expected)) << c.name;
    }
}

}  // namespace
}  // namespace pawlet
