#include "pet/tick_random.h"

#include <gtest/gtest.h>

#include <map>

namespace pawlet {
namespace {

TEST(TickRandom, DrawsStayInRangeAndCoverItEvenly) {
    struct Case {
        int low, high;
    };
    for (const auto c : {Case{1, 2}, Case{1, 3}}) {
        std::map<int, int> counts;
        const int draws = 3000;
        for (std::uint64_t tick = 0; tick < draws; ++tick) {
            const int value = draw_after_reseed(50'000'000 + tick * 16, c.low, c.high);
            ASSERT_GE(value, c.low);
            ASSERT_LE(value, c.high);
            ++counts[value];
        }
        const int span = c.high - c.low + 1;
        for (int v = c.low; v <= c.high; ++v) {
            EXPECT_NEAR(counts[v], draws / span, draws / span / 8) << v << " of " << span;
        }
    }
}

TEST(TickRandom, SameTickSameDrawAndEmptyRangeGivesLow) {
    EXPECT_EQ(draw_after_reseed(777, 1, 3), draw_after_reseed(777, 1, 3));
    EXPECT_EQ(draw_after_reseed(777, 5, 5), 5);
    EXPECT_EQ(draw_after_reseed(777, 5, 2), 5);
}

}  // namespace
}  // namespace pawlet
