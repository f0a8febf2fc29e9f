#include "pet/sound_cue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace pawlet {
namespace {

using Files = std::vector<std::string>;

TEST(SoundCue, EachActionPlaysItsFilesInOrder) {
    const std::map<int, Files> expected = {
        {0, {}},
        {1, {"scratch_kratzen.wav"}},
        {2, {"angry.wav"}},
        {3, {"cymbal.wav"}},
        {4, {"pour_milk.wav", "p_drink_milk.wav"}},
        {5, {"p_eat.wav"}},
        {7, {"p_foot3.wav"}},
        {8, {"p_foot4.wav"}},
        {9, {"purr.wav"}},
        {10, {"p_stars2s.wav"}},
        {11, {}},
        {12, {"slap2.wav"}},
        {13, {"p_sneeze.wav"}},
        {14, {"p_meuu.wav"}},
        {15, {}},
        {16, {"p_belly1.wav"}},
        {17, {"p_belly2.wav"}},
        {18, {}},
        {-1, {}},
    };
    for (const auto& [action, files] : expected) {
        for (const std::uint64_t tick : {0ull, 12345ull}) {
            EXPECT_EQ(sound_cue_files(action, tick), files) << "action " << action;
        }
    }
}

TEST(SoundCue, TheFartIsDrawnAfreshFromTheTickCountAndEvenly) {
    std::map<std::string, int> counts;
    int repeats = 0;
    std::string previous;
    const int draws = 3000;
    // The Windows tick count moves in steps of about 16 ms.
    for (std::uint64_t tick = 4'000'000; tick < 4'000'000 + 16ull * draws; tick += 16) {
        const Files files = sound_cue_files(6, tick);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files, sound_cue_files(6, tick)) << "the same tick draws the same file";
        ++counts[files[0]];
        repeats += files[0] == previous;
        previous = files[0];
    }
    ASSERT_EQ(counts.size(), 3u);
    for (const char* name : {"fart001.wav", "fart002.wav", "fart003.wav"})
        EXPECT_NEAR(counts[name], draws / 3, draws / 3 / 8) << name;
    // Drawn afresh: the same file comes twice in a row about a third of the time.
    EXPECT_NEAR(repeats, draws / 3, draws / 3 / 5);
}

}  // namespace
}  // namespace pawlet
