#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winkit/period_timer.h"

namespace pawlet {
namespace {

const char* name_of(PeriodTimer::Change c) {
    switch (c) {
    case PeriodTimer::Change::none: return "none";
    case PeriodTimer::Change::stop: return "stop";
    case PeriodTimer::Change::restart: return "restart";
    }
    return "?";
}

TEST(PeriodTimer, SetPeriodSaysWhatThePlatformTimerMustDo) {
    struct Write {
        int period;
        const char* change;
        int stored;
    };
    struct Case {
        const char* name;
        std::vector<Write> writes;  // applied in order to a fresh, stopped timer
    };
    const std::vector<Case> cases = {
        {"0 to a stopped timer", {{0, "none", 0}}},
        {"negative to a stopped timer", {{-5, "none", 0}}},
        {"first period starts it", {{100, "restart", 100}}},
        {"same period leaves the count alone", {{100, "restart", 100}, {100, "none", 100}}},
        {"new period restarts the count", {{100, "restart", 100}, {500, "restart", 500}}},
        {"0 stops it", {{500, "restart", 500}, {0, "stop", 0}, {0, "none", 0}}},
        {"negative stops it and reads as 0", {{500, "restart", 500}, {-5, "stop", 0}, {-1, "none", 0}}},
        {"lowest int", {{1, "restart", 1}, {-2147483647 - 1, "stop", 0}}},
        {"highest int", {{2147483647, "restart", 2147483647}, {2147483647, "none", 2147483647}}},
        {"restart after a stop", {{50, "restart", 50}, {0, "stop", 0}, {50, "restart", 50}}},
    };
    for (const Case& c : cases) {
        PeriodTimer timer;
        for (std::size_t i = 0; i < c.writes.size(); ++i) {
            const Write& w = c.writes[i];
            EXPECT_STREQ(name_of(timer.set_period(w.period)), w.change)
                << c.name << ", write " << i << " of " << w.period;
            EXPECT_EQ(timer.period(), w.stored) << c.name << ", write " << i;
            EXPECT_EQ(timer.running(), w.stored > 0) << c.name << ", write " << i;
        }
    }
}

}  // namespace
}  // namespace pawlet
