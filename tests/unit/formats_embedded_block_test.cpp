#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "formats/embedded_block.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(EmbeddedBlock, GivesTheBytesBehindTheHeader) {
    const Bytes block = {1, 0, 0, 0, 3, 0, 0, 0, 'M', 'Z', 9};
    const auto parsed = parse_embedded_block(block);
    ASSERT_TRUE(parsed) << failure_name(parsed.failure());
    EXPECT_EQ(parsed->data(), block.data() + 8);
    EXPECT_EQ(parsed->size(), 3u);

    const Bytes empty = {1, 0, 0, 0, 0, 0, 0, 0};
    const auto none = parse_embedded_block(empty);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

TEST(EmbeddedBlock, NamesWhyItRefusesABlock) {
    struct Case {
        const char* name;
        Bytes block;
        EmbeddedBlockFailure expected;
    };
    const std::vector<Case> cases = {
        {"empty", {}, EmbeddedBlockFailure::too_short},
        {"seven bytes", {1, 0, 0, 0, 0, 0, 0}, EmbeddedBlockFailure::too_short},
        {"marker 0", {0, 0, 0, 0, 1, 0, 0, 0, 7}, EmbeddedBlockFailure::bad_marker},
        {"marker big-endian 1", {0, 0, 0, 1, 1, 0, 0, 0, 7}, EmbeddedBlockFailure::bad_marker},
        {"length one more than the bytes", {1, 0, 0, 0, 2, 0, 0, 0, 7}, EmbeddedBlockFailure::length_mismatch},
        {"length one less", {1, 0, 0, 0, 0, 0, 0, 0, 7}, EmbeddedBlockFailure::length_mismatch},
        {"length near 4 GB", {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 7}, EmbeddedBlockFailure::length_mismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_embedded_block(c.block);
        ASSERT_FALSE(parsed);
        EXPECT_STREQ(failure_name(parsed.failure()), failure_name(c.expected));
    }
}

}  // namespace
}  // namespace pawlet
