#include "pet/action_engine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "virtual_clock_host.h"

namespace pawlet {
namespace {

using testing::VirtualClockHost;

const char* const blink0 = "blink\\cat_blink0000.jpg";
const char* const blink1 = "blink\\cat_blink0001.jpg";
const char* const blink2 = "blink\\cat_blink0002.jpg";

struct Fixture {
    VirtualClockHost host;
    ActionEngine engine{host};

    // A press on a region, as the touch dispatch makes it: refused while an action is busy.
    void press_at(long time, int action) {
        host.at(time, [this, action] {
            if (!engine.action_busy()) engine.start_action(action);
        });
    }
};

std::vector<std::string> names_of(const std::vector<VirtualClockHost::Picture>& pictures) {
    std::vector<std::string> names;
    for (const auto& p : pictures) names.push_back(p.name);
    return names;
}

std::vector<long> times_of(const std::vector<VirtualClockHost::Picture>& pictures) {
    std::vector<long> times;
    for (const auto& p : pictures) times.push_back(p.time);
    return times;
}

TEST(ActionEngine, IdleCycleBlinksThenPausesAndLoopEndsWhenHidden) {
    Fixture f;
    f.host.hide_window_at = 2 * 2600;
    f.engine.run_action_loop(0);

    EXPECT_EQ(names_of(f.host.pictures),
              (std::vector<std::string>{blink0, blink1, blink2, blink0, blink1, blink2}));
    EXPECT_EQ(times_of(f.host.pictures), (std::vector<long>{0, 500, 600, 2600, 3100, 3200}));
    EXPECT_EQ(f.host.wait_lengths, (std::vector<long>{500, 100, 2000, 500, 100, 2000}));
    EXPECT_TRUE(f.host.timer_writes.empty());
    EXPECT_EQ(f.engine.current_action(), 0);
    EXPECT_FALSE(f.engine.action_busy());
}

TEST(ActionEngine, RequestDuringAnIdleWaitSkipsTheRestOfTheCycle) {
    struct Case {
        long press;
        std::vector<std::string> blinks_before;
        long first_frame;
    };
    const Case cases[] = {
        {200, {blink0}, 250},                          // after blink0000
        {550, {blink0, blink1}, 600},                  // after blink0001
        {1000, {blink0, blink1, blink2}, 1050},        // the long pause
        {2700, {blink0, blink1, blink2, blink0}, 2750},  // the next cycle's first wait
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        Fixture f;
        f.press_at(c.press, 14);
        f.host.hide_window_at = c.press + 1;
        f.engine.run_action_loop(0);

        const auto& pictures = f.host.pictures;
        const std::size_t blinks = c.blinks_before.size();
        ASSERT_EQ(pictures.size(), blinks + 33);
        EXPECT_EQ(names_of({pictures.begin(), pictures.begin() + static_cast<long>(blinks)}),
                  c.blinks_before);
        EXPECT_EQ(pictures[blinks].name, "stomach\\cat_stomach0000.jpg");
        EXPECT_EQ(pictures[blinks].time, c.first_frame);
        ASSERT_EQ(f.host.timer_writes.size(), 1u);
        EXPECT_EQ(f.host.timer_writes[0].time, c.press);
        EXPECT_EQ(f.host.timer_writes[0].period, 500);
    }
}

TEST(ActionEngine, ActionPlaysEveryFrameFiftyMillisecondsApartThenBlinksAtOnce) {
    struct Case {
        int action;
        int frames;
        std::vector<std::string> first_nine_ten_last;  // frames 1, 9, 10 and N
        std::optional<int> timer;
    };
    const Case cases[] = {
        {1, 56,
         {"scratch\\cat_scratch0001.jpg", "scratch\\cat_scratch0009.jpg",
          "scratch\\cat_scratch0010.jpg", "scratch\\cat_scratch0056.jpg"},
         1200},
        {4, 81,
         {"drink\\cat_drink0000.jpg", "drink\\cat_drink0008.jpg", "drink\\cat_drink0010.jpg",
          "drink\\cat_drink0081.jpg"},
         1700},
        {11, 11,
         {"listen\\cat_listen0000.jpg", "listen\\cat_listen0008.jpg",
          "listen\\cat_listen0010.jpg", "listen\\cat_listen0011.jpg"},
         std::nullopt},
        {12, 22, {"pie\\pie0000.jpg", "pie\\pie0008.jpg", "pie\\pie0010.jpg", "pie\\pie0022.jpg"},
         800},
        {17, 30,
         {"yawn\\cat_zeh0000.jpg", "yawn\\cat_zeh0008.jpg", "yawn\\cat_zeh0010.jpg",
          "yawn\\cat_zeh0030.jpg"},
         300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Fixture f;
        const long press = 1000;
        f.press_at(press, c.action);
        const long end = press + 50L * c.frames;
        f.host.hide_window_at = end + 1;
        f.engine.run_action_loop(0);

        // The frames, then the idle cycle that the loop finishes before it sees the window hidden.
        const auto played = f.host.pictures_from(press);
        ASSERT_EQ(played.size(), static_cast<std::size_t>(c.frames) + 3);
        for (int i = 1; i <= c.frames; ++i) {
            EXPECT_EQ(played[i - 1].time, press + 50L * i) << "frame " << i;
        }
        const auto idx = [&](int frame) { return static_cast<std::size_t>(frame - 1); };
        EXPECT_EQ((std::vector<std::string>{played[idx(1)].name, played[idx(9)].name,
                                            played[idx(10)].name, played[idx(c.frames)].name}),
                  c.first_nine_ten_last);
        EXPECT_EQ(played[idx(c.frames + 1)].name, blink0);
        EXPECT_EQ(played[idx(c.frames + 1)].time, end);

        if (c.timer) {
            ASSERT_EQ(f.host.timer_writes.size(), 1u);
            EXPECT_EQ(f.host.timer_writes[0].time, press);
            EXPECT_EQ(f.host.timer_writes[0].period, *c.timer);
        } else {
            EXPECT_TRUE(f.host.timer_writes.empty());
        }
    }
}

TEST(ActionEngine, PressesDuringAnActionAreDroppedAndTheFirstAfterItIsTaken) {
    Fixture f;
    f.press_at(1000, 14);  // frames at 1050..2650, then blink0000 at 2650
    std::vector<bool> busy_seen;
    for (long t : {1001L, 1900L, 2649L}) {
        f.host.at(t, [&f, &busy_seen] {
            busy_seen.push_back(f.engine.action_busy());
            f.engine.start_action(3);  // even unguarded, a request mid-action changes nothing
            EXPECT_EQ(f.engine.current_action(), 14);
        });
        f.press_at(t, 2);
    }
    f.press_at(2651, 16);  // inside the first idle wait after the action
    f.host.hide_window_at = 2652;
    f.engine.run_action_loop(0);

    EXPECT_EQ(busy_seen, (std::vector<bool>{true, true, true}));
    const auto after = f.host.pictures_from(2650);
    ASSERT_EQ(after.size(), 1u + 1u + 15u);
    EXPECT_EQ(after[0].name, "stomach\\cat_stomach0033.jpg");
    EXPECT_EQ(after[1].name, blink0);
    EXPECT_EQ(after[2].name, "talk\\cat_talk0000.jpg");
    EXPECT_EQ(after[2].time, 2701);
    ASSERT_EQ(f.host.timer_writes.size(), 2u);
    EXPECT_EQ(f.host.timer_writes[1].time, 2651);
    EXPECT_EQ(f.host.timer_writes[1].period, 300);
}

TEST(ActionEngine, TheSoundTimerIsWrittenOncePerActionAndNeverForListen) {
    Fixture f;
    f.press_at(100, 11);   // 11 frames: 150..650
    f.press_at(700, 9);    // during the first idle wait after it: 30 frames, 750..2200
    f.press_at(2300, 15);  // 24 frames: 2350..3500
    f.host.hide_window_at = 3501;
    f.engine.run_action_loop(0);

    ASSERT_EQ(f.host.timer_writes.size(), 2u);
    EXPECT_EQ(f.host.timer_writes[0].time, 700);
    EXPECT_EQ(f.host.timer_writes[0].period, 10);
    EXPECT_EQ(f.host.timer_writes[1].time, 2300);
    EXPECT_EQ(f.host.timer_writes[1].period, 500);
}

TEST(ActionEngine, MissingFramesAndSlowLoadsChangeNoWait) {
    Fixture f;
    f.host.load_ms_per_picture = 7;
    f.host.missing_files = {"stomach\\cat_stomach0004.jpg", "stomach\\cat_stomach0020.jpg"};
    f.press_at(1000, 14);
    f.host.hide_window_at = 5000;
    f.engine.run_action_loop(0);

    auto played = f.host.pictures_from(1000);
    ASSERT_GE(played.size(), 33u + 1u);
    played.resize(33 + 1);
    EXPECT_EQ(played[0].time, 1050);
    for (std::size_t i = 1; i < 33; ++i) {
        // Each step is its 50 ms wait plus the previous file's load time; nothing is made up.
        EXPECT_EQ(played[i].time - played[i - 1].time, played[i - 1].shown ? 57 : 50)
            << played[i].name;
    }
    EXPECT_FALSE(played[4].shown);  // frame 5 is numbered 04
    EXPECT_FALSE(played[19].shown);  // frame 20 is numbered 20
    EXPECT_EQ(played.back().name, blink0);
    EXPECT_EQ(played.back().time, played[32].time + 7);
    for (long wait : f.host.wait_lengths) EXPECT_TRUE(wait == 50 || wait >= 100);
}

TEST(ActionEngine, HiddenWindowEndsTheLoopOnlyAfterTheActionInProgress) {
    Fixture f;
    f.press_at(1000, 3);  // 13 frames: 1050..1650
    f.host.hide_window_at = 1200;
    f.engine.run_action_loop(0);

    ASSERT_FALSE(f.host.pictures.empty());
    EXPECT_EQ(f.host.pictures.back().name, "cymbal\\cat_cymbal0013.jpg");
    EXPECT_EQ(f.host.pictures.back().time, 1650);
    EXPECT_FALSE(f.engine.action_busy());
    EXPECT_TRUE(f.engine.action_done());
}

TEST(ActionEngine, FirstActionGivenToTheLoopPlaysAtOnce) {
    Fixture f;
    f.host.hide_window_at = 1;
    f.engine.run_action_loop(5);

    ASSERT_EQ(f.host.pictures.size(), 40u);
    EXPECT_EQ(f.host.pictures.front().name, "eat\\cat_eat0000.jpg");
    EXPECT_EQ(f.host.pictures.front().time, 50);
    ASSERT_EQ(f.host.timer_writes.size(), 1u);
    EXPECT_EQ(f.host.timer_writes[0].time, 0);
}

TEST(ActionEngine, NumbersOutsideTheCatalogueAreIgnored) {
    for (int bad : {-1, 18, 1000}) {
        SCOPED_TRACE(bad);
        Fixture f;
        f.host.at(200, [&f, bad] {
            f.engine.start_action(bad);
            f.engine.start_action(0);
            EXPECT_FALSE(f.engine.action_busy());
            EXPECT_EQ(f.engine.current_action(), 0);
        });
        f.host.hide_window_at = 2600;
        f.engine.run_action_loop(bad);

        EXPECT_EQ(names_of(f.host.pictures), (std::vector<std::string>{blink0, blink1, blink2}));
        EXPECT_EQ(times_of(f.host.pictures), (std::vector<long>{0, 500, 600}));
        EXPECT_TRUE(f.host.timer_writes.empty());
    }
}

}  // namespace
}  // namespace pawlet
