// Loudness matching of the synthesised sounds: the measure, the boost with its limiter, the cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "loudness.h"

namespace pawlet::art::synth {
namespace {

double peak_of(const Samples& s) {
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    return peak;
}

TEST(Loudness, IsTheRmsOfTheLoudestTenthOfASecond) {
    Samples sine = tone(0.5, [](double) { return 441.0; });
    EXPECT_NEAR(loudest_rms_db(sine), -3.01, 0.05);
    // A short burst inside silence counts over 100 ms, whatever silence surrounds it.
    Samples burst = silence(1.0);
    mix_in(burst, tone(0.05, [](double) { return 441.0; }), 0.4);
    EXPECT_NEAR(loudest_rms_db(burst), -3.01 - 3.01, 0.1);
    EXPECT_EQ(loudest_rms_db(silence(0.2)), -120);
    EXPECT_NEAR(onset_seconds(burst), 0.4, 0.001);
}

TEST(Loudness, AQuietSoundIsRaisedUnderTheCeilingAndKeepsItsSilentEnds) {
    // A click followed by a quiet decaying tone: peaky, so its level is far under the target.
    Samples s = tone(0.6, [](double) { return 300.0; });
    shape(s, [](double t) { return 0.1 * exp_decay(t, 0.2); });
    mix_in(s, tone(0.004, [](double) { return 2000.0; }), 0.1, 1.0);
    finish(s, level_ceiling);
    const double before = loudest_rms_db(s);
    ASSERT_LT(before, loudness_target_db - 6);
    level_loudness(s);
    EXPECT_GT(loudest_rms_db(s), before + 6);
    EXPECT_LE(loudest_rms_db(s), loudness_target_db + 0.3);
    EXPECT_LE(peak_of(s), level_ceiling + 1e-9);
    EXPECT_GT(peak_of(s), quietest_peak);
    EXPECT_EQ(s.front(), 0.0);
    EXPECT_EQ(s.back(), 0.0);
}

TEST(Loudness, ALoudSoundIsLoweredNoFurtherThanTheQuietestPeak) {
    Samples s = tone(0.5, [](double) { return 300.0; }, Wave::square);
    finish(s, level_ceiling);
    level_loudness(s);
    EXPECT_NEAR(peak_of(s), quietest_peak, 1e-6);
}

}  // namespace
}  // namespace pawlet::art::synth
