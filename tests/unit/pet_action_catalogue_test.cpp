#include "pet/action_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>
#include <string>

namespace pawlet {
namespace {

struct FrameCase {
    int action;
    int index;
    const char* expected;
};

TEST(ActionCatalogue, FrameFileNamesKeepEachPrefixAndNumbering) {
    const FrameCase cases[] = {
        // Scratch counts 01..56.
        {1, 1, "scratch\\cat_scratch0001.jpg"},
        {1, 9, "scratch\\cat_scratch0009.jpg"},
        {1, 10, "scratch\\cat_scratch0010.jpg"},
        {1, 56, "scratch\\cat_scratch0056.jpg"},
        // The others count 00..08, skip 09, then 10..N.
        {2, 1, "angry-tail\\cat_angry0000.jpg"},
        {2, 9, "angry-tail\\cat_angry0008.jpg"},
        {2, 10, "angry-tail\\cat_angry0010.jpg"},
        {2, 26, "angry-tail\\cat_angry0026.jpg"},
        {4, 81, "drink\\cat_drink0081.jpg"},
        {6, 28, "fart\\cat_fart0028.jpg"},
        {7, 1, "foot-left\\cat_foot_left0000.jpg"},
        {11, 11, "listen\\cat_listen0011.jpg"},
        {12, 1, "pie\\pie0000.jpg"},
        {12, 22, "pie\\pie0022.jpg"},
        {15, 9, "happy-simple\\cat_happy_simple0008.jpg"},
        {17, 1, "yawn\\cat_zeh0000.jpg"},
        {17, 30, "yawn\\cat_zeh0030.jpg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frame_file_name(c.action, c.index), c.expected)
            << "action " << c.action << " frame " << c.index;
    }
}

TEST(ActionCatalogue, NoActionEverAsksForFrameNine) {
    for (const auto& entry : action_catalogue) {
        std::set<std::string> numbers;
        for (int i = 1; i <= entry.frame_count; ++i) {
            const std::string text = frame_number_text(entry.number, i);
            ASSERT_EQ(text.size(), 2u);
            EXPECT_TRUE(numbers.insert(text).second) << entry.name << " repeats " << text;
        }
        EXPECT_EQ(numbers.count("09"), entry.number == 1 ? 1u : 0u) << entry.name;
    }
}

TEST(ActionCatalogue, FrameNamesOutsideAnActionAreEmpty) {
    const FrameCase cases[] = {
        {0, 1, ""}, {18, 1, ""}, {-1, 1, ""}, {1, 0, ""}, {1, 57, ""}, {12, 23, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frame_file_name(c.action, c.index), c.expected)
            << "action " << c.action << " frame " << c.index;
    }
}

TEST(ActionCatalogue, LookupCoversExactlyOneToSeventeen) {
    EXPECT_EQ(find_action(0), nullptr);
    EXPECT_EQ(find_action(18), nullptr);
    EXPECT_EQ(find_action(-5), nullptr);
    for (int n = first_action_number; n <= last_action_number; ++n) {
        const ActionEntry* entry = find_action(n);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->number, n);
    }
}

TEST(ActionCatalogue, EveryCueFallsInsideItsOwnAction) {
    for (const auto& entry : action_catalogue) {
        const std::string prefix = entry.frame_prefix;
        EXPECT_EQ(prefix.rfind("00"), prefix.size() - 2) << entry.name;
        EXPECT_EQ(prefix.substr(0, prefix.find('\\')), entry.name);
        if (entry.cue_delay_ms) {
            EXPECT_GT(*entry.cue_delay_ms, 0) << entry.name;
            EXPECT_LT(*entry.cue_delay_ms, entry.frame_count * 50) << entry.name;
        }
    }
}

TEST(ActionCatalogue, OddSoundCues) {
    EXPECT_FALSE(find_action(11)->cue_delay_ms.has_value());
    EXPECT_EQ(find_action(11)->sound.files[0], nullptr);
    EXPECT_EQ(*find_action(15)->cue_delay_ms, 500);
    EXPECT_EQ(find_action(15)->sound.files[0], nullptr);
    EXPECT_STREQ(find_action(4)->sound.files[0], "pour_milk.wav");
    EXPECT_STREQ(find_action(4)->sound.files[1], "p_drink_milk.wav");
    for (const auto& entry : action_catalogue) {
        EXPECT_EQ(entry.sound.random_fart, entry.number == 6) << entry.name;
        const bool two_files = entry.sound.files[1] != nullptr;
        EXPECT_EQ(two_files, entry.number == 4) << entry.name;
    }
}

TEST(ActionCatalogue, IdlePicturesBlinkInOrder) {
    EXPECT_STREQ(idle_picture_names[0], "blink\\cat_blink0000.jpg");
    EXPECT_STREQ(idle_picture_names[1], "blink\\cat_blink0001.jpg");
    EXPECT_STREQ(idle_picture_names[2], "blink\\cat_blink0002.jpg");
}

}  // namespace
}  // namespace pawlet

TEST(ActionCatalogueSounds, EveryCueFileIsListedOnceWithTheThreeFarts) {
    const std::vector<std::string> names = pawlet::all_sound_file_names();
    EXPECT_EQ(names.size(), 18u);
    for (const char* expected : {"scratch_kratzen.wav", "pour_milk.wav", "p_drink_milk.wav", "fart001.wav",
                                 "fart002.wav", "fart003.wav", "p_belly2.wav"})
        EXPECT_EQ(std::count(names.begin(), names.end(), expected), 1) << expected;
}

TEST(ActionCatalogueFrames, EveryPictureIsListedOnceIdleFirstThenEachActionInOrder) {
    const std::vector<std::string> names = pawlet::all_frame_file_names();
    // 3 idle pictures and the frame counts of actions 1..17.
    EXPECT_EQ(names.size(), 3u + 56 + 26 + 13 + 81 + 40 + 28 + 30 + 30 + 30 + 80 + 11 + 22 + 30 + 33 + 24 + 15 + 30);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names[0], "blink\\cat_blink0000.jpg");
    EXPECT_EQ(names[3], "scratch\\cat_scratch0001.jpg");
    EXPECT_EQ(names[3 + 56], "angry-tail\\cat_angry0000.jpg");
    EXPECT_EQ(names.back(), "yawn\\cat_zeh0030.jpg");
}
