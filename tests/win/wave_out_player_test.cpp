// The wave-out player against a stand-in device: sounds come out mixed on one stream, play()
// never waits for the device, and a missing, failing or stuck device means silence, with the
// device closed again and the next sound trying afresh.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "fake_wave_out.h"
#include "media/wave_out_player_win.h"

namespace pawlet {
namespace {

using testing::FakeWaveOut;
using Mode = FakeWaveOut::Mode;

// A constant level (exact in 16 bits) for `frames` frames at the output rate: easy to find in
// what the device played.
Sound level(float value, std::size_t frames) {
    return Sound{44100, 1, std::vector<float>(frames, value)};
}

WaveOutPlayer::Settings quick_settings() {
    WaveOutPlayer::Settings s;
    s.close_after_idle_ms = 50;
    s.stall_ms = 200;
    return s;
}

bool wait_for(const std::function<bool()>& done, DWORD timeout_ms = 5000) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(2);
    }
    return true;
}

// Frames (left channel) of each value in what the device played.
std::size_t frames_at(const std::vector<std::int16_t>& played, std::int16_t value) {
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < played.size(); i += 2) {
        EXPECT_EQ(played[i], played[i + 1]) << "mono goes to both sides";
        n += played[i] == value;
    }
    return n;
}

TEST(WaveOutPlayer, OverlappingSoundsComeOutMixedOnOneStream) {
    FakeWaveOut fake;
    {
        WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
        player.play({level(0.25f, 3000)});
        player.play({level(0.125f, 1000)});  // starts at once or a buffer later, under the first
        ASSERT_TRUE(wait_for([&] { return fake.counts().closes == 1; }));
    }
    const std::vector<std::int16_t> played = fake.played();
    EXPECT_EQ(frames_at(played, 12288), 1000u) << "the second sound, whole, over the first";
    EXPECT_EQ(frames_at(played, 8192), 2000u) << "the rest of the first";
    const std::size_t silent = frames_at(played, 0);
    EXPECT_EQ(silent + 3000, played.size() / 2) << "nothing else";
    const auto counts = fake.counts();
    EXPECT_EQ(counts.opens, 1);
    EXPECT_EQ(counts.prepared, 0) << "every buffer given back";
}

TEST(WaveOutPlayer, SoundsHandedOverTogetherStartOnTheSameFrame) {
    FakeWaveOut fake;
    {
        WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
        player.play({level(0.25f, 3000), level(0.125f, 1000)});
        ASSERT_TRUE(wait_for([&] { return fake.counts().closes == 1; }));
    }
    const std::vector<std::int16_t> played = fake.played();
    const auto first = std::find_if(played.begin(), played.end(), [](std::int16_t v) { return v != 0; });
    ASSERT_NE(first, played.end());
    const auto at = static_cast<std::size_t>(first - played.begin());
    for (std::size_t i = 0; i < 2 * 3000; ++i)
        ASSERT_EQ(played[at + i], i < 2 * 1000 ? 12288 : 8192) << "sample " << i << " of the sounds";
}

TEST(WaveOutPlayer, PlayNeverWaitsForTheDevice) {
    FakeWaveOut fake;
    fake.set_write_time(150);  // each buffer keeps the player's thread in the device a while
    WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
    player.play({level(0.25f, 44100)});
    ASSERT_TRUE(wait_for([&] { return fake.counts().open_attempts == 1; }));
    Sleep(20);  // inside the first write
    for (int i = 0; i < 5; ++i) {
        const ULONGLONG before = GetTickCount64();
        player.play({level(0.01f, 100)});
        EXPECT_LT(GetTickCount64() - before, 50u);
    }
}

TEST(WaveOutPlayer, WithoutADeviceSoundsAreDroppedAndTheNextOneTriesAgain) {
    FakeWaveOut fake;
    fake.set_mode(Mode::missing);
    WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
    player.play({level(0.25f, 1000)});
    ASSERT_TRUE(wait_for([&] { return fake.counts().open_attempts == 1; }));
    Sleep(100);
    fake.set_mode(Mode::plays);
    player.play({level(0.125f, 500)});
    ASSERT_TRUE(wait_for([&] { return fake.counts().closes == 1; }));
    const std::vector<std::int16_t> played = fake.played();
    EXPECT_EQ(frames_at(played, 4096), 500u) << "the next sound plays";
    EXPECT_EQ(frames_at(played, 8192), 0u) << "the one without a device was dropped";
    EXPECT_EQ(fake.counts().open_attempts, 2);
}

TEST(WaveOutPlayer, ADeviceThatFailsOrStopsIsClosedAndTheNextSoundOpensItAgain) {
    struct Case {
        const char* name;
        Mode mode;
    };
    for (const Case c : {Case{"a write fails", Mode::fails}, Case{"buffers never come back", Mode::keeps_buffers}}) {
        SCOPED_TRACE(c.name);
        FakeWaveOut fake;
        fake.set_mode(c.mode, 3);
        WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
        player.play({level(0.25f, 44100 * 5)});
        ASSERT_TRUE(wait_for([&] { return fake.counts().closes == 1; })) << "closed after the failure";
        auto counts = fake.counts();
        EXPECT_LE(counts.writes, 4) << "the rest of the sound was dropped";
        EXPECT_GE(counts.resets, 1);
        EXPECT_EQ(counts.prepared, 0);

        fake.set_mode(Mode::plays);
        player.play({level(0.125f, 500)});
        ASSERT_TRUE(wait_for([&] { return fake.counts().closes == 2; }));
        EXPECT_EQ(frames_at(fake.played(), 4096), 500u);
        EXPECT_EQ(fake.counts().prepared, 0);
    }
}

TEST(WaveOutPlayer, KeepsTheDeviceOpenBetweenCloseSoundsAndClosesItWhenIdle) {
    FakeWaveOut fake;
    WaveOutPlayer::Settings settings = quick_settings();
    settings.close_after_idle_ms = 1000;
    WaveOutPlayer player(FakeWaveOut::calls(), settings);
    player.play({level(0.25f, 500)});
    ASSERT_TRUE(wait_for([&] { return frames_at(fake.played(), 8192) == 500; }));
    Sleep(100);
    player.play({level(0.125f, 500)});
    ASSERT_TRUE(wait_for([&] { return frames_at(fake.played(), 4096) == 500; }));
    EXPECT_EQ(fake.counts().opens, 1) << "the second sound found the device open";
    ASSERT_TRUE(wait_for([&] { return fake.counts().closes == 1; }, 3000)) << "closed when idle";
    player.play({level(0.25f, 500)});
    ASSERT_TRUE(wait_for([&] { return fake.counts().opens == 2; }));
}

TEST(WaveOutPlayer, EndingThePlayerCutsOffWhatPlaysAtOnce) {
    FakeWaveOut fake;
    fake.set_write_time(10);  // about as fast as a device plays 10 ms buffers
    ULONGLONG ended = 0;
    {
        WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
        player.play({level(0.25f, 44100 * 10)});
        ASSERT_TRUE(wait_for([&] { return fake.counts().writes >= 3; }));
        ended = GetTickCount64();
    }
    EXPECT_LT(GetTickCount64() - ended, 500u);
    const auto counts = fake.counts();
    EXPECT_EQ(counts.closes, 1);
    EXPECT_GE(counts.resets, 1);
    EXPECT_EQ(counts.prepared, 0);
    EXPECT_LT(counts.writes, 100);
}

TEST(WaveOutPlayer, StopClosesTheDeviceButNeverWaitsLongerThanItIsTold) {
    {
        FakeWaveOut fake;
        fake.set_write_time(10);
        WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
        player.play({level(0.25f, 44100 * 10)});
        ASSERT_TRUE(wait_for([&] { return fake.counts().writes >= 3; }));
        player.stop(2000);
        const auto counts = fake.counts();
        EXPECT_EQ(counts.closes, 1) << "the device is given back before stop returns";
        EXPECT_EQ(counts.prepared, 0);
        player.play({level(0.25f, 100)});
        Sleep(100);
        EXPECT_EQ(fake.counts().opens, 1) << "sounds after the stop are ignored";
    }
    {
        // A device whose every call takes long: stop still returns in time.
        FakeWaveOut fake;
        fake.set_write_time(300);
        WaveOutPlayer player(FakeWaveOut::calls(), quick_settings());
        player.play({level(0.25f, 44100)});
        ASSERT_TRUE(wait_for([&] { return fake.counts().open_attempts == 1; }));
        Sleep(50);  // inside a write
        const ULONGLONG before = GetTickCount64();
        player.stop(100);
        EXPECT_LT(GetTickCount64() - before, 250u);
    }
}

}  // namespace
}  // namespace pawlet
