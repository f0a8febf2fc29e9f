#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "base/byte_reader.h"

namespace pawlet {
namespace {

constexpr std::size_t huge = std::numeric_limits<std::size_t>::max();

TEST(ByteReader, ReadsLittleEndianFieldsAtAnyOffset) {
    const std::vector<std::uint8_t> bytes{0x01, 0x02, 0x03, 0x04, 0x05};
    const ByteReader in(bytes);
    EXPECT_EQ(in.u8(4), 0x05);
    EXPECT_EQ(in.u16(1), 0x0302);
    EXPECT_EQ(in.u32(1), 0x05040302u) << "unaligned";
    EXPECT_EQ(in.range(3, 2)->data(), bytes.data() + 3);
}

TEST(ByteReader, AnythingNotWhollyInsideReadsAsNothing) {
    const std::vector<std::uint8_t> bytes(8, 0xAB);
    const ByteReader in(bytes);
    struct Case {
        const char* name;
        std::size_t offset, count;
        bool inside;
    };
    const std::vector<Case> cases = {
        {"whole buffer", 0, 8, true},
        {"nothing at the end", 8, 0, true},
        {"one past the end", 8, 1, false},
        {"offset past the end", 9, 0, false},
        {"count one too many", 1, 8, false},
        {"offset + count wraps around", 4, huge - 1, false},
        {"offset at the top of the address range", huge, 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(in.holds(c.offset, c.count), c.inside) << c.name;
        EXPECT_EQ(in.range(c.offset, c.count).has_value(), c.inside) << c.name;
    }
    EXPECT_FALSE(in.u32(5)) << "a field running off the end";
    EXPECT_FALSE(in.u16(huge)) << "offset at the top of the address range";
    EXPECT_FALSE(ByteReader({}).u8(0)) << "empty buffer";
}

}  // namespace
}  // namespace pawlet
