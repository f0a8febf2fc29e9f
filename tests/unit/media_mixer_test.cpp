#include "media/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "formats/wav_file.h"
#include "sox_files.h"

namespace pawlet {
namespace {

using namespace sox_files;
constexpr int rate = 44100;

// A sound whose samples are exact 16-bit values: a tone of `frequency` Hz at `peak`.
Sound tone(int channels, std::size_t frames, double frequency, double peak, int sample_rate = rate) {
    Sound s{sample_rate, channels, {}};
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const double v = peak * std::sin(2 * std::numbers::pi * frequency * (c + 1) *
                                             static_cast<double>(i) / sample_rate);
            s.samples.push_back(static_cast<float>(std::lround(v * 32767)) / 32768.0f);
        }
    }
    return s;
}

// The stereo 16-bit value of `sound` at frame `i`, channel `c`, as the mixer passes it through.
int pcm(const Sound& sound, std::size_t i, int c) {
    const float v = sound.samples[i * static_cast<std::size_t>(sound.channels) +
                                  static_cast<std::size_t>(sound.channels == 2 ? c : 0)];
    return static_cast<int>(std::lround(v * 32768));
}

// Mixes `frames` frames in uneven blocks, as a device asking for buffers would.
std::vector<std::int16_t> mix_frames(Mixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(2 * frames);
    std::size_t done = 0;
    for (std::size_t block = 1; done < frames; block = block * 3 % 500 + 1) {
        const std::size_t n = std::min(block, frames - done);
        mixer.mix(std::span(out).subspan(2 * done, 2 * n));
        done += n;
    }
    return out;
}

void append(std::vector<std::int16_t>& to, const std::vector<std::int16_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

constexpr std::size_t delay = Mixer::delay_frames;

TEST(Mixer, OverlappingVoicesAddUpSampleExactAndEachPlaysToItsOwnEnd) {
    const Sound long_one = tone(2, 1000, 440, 0.3);
    const Sound short_one = tone(1, 600, 1250, 0.3);
    Mixer mixer(rate);
    mixer.add(long_one);
    std::vector<std::int16_t> out = mix_frames(mixer, 300);
    mixer.add(short_one);  // starts at frame 300 and ends at 900, before the long one
    EXPECT_EQ(mixer.voice_count(), 2u);
    append(out, mix_frames(mixer, 600));
    EXPECT_EQ(mixer.voice_count(), 1u) << "the short voice is done; the long one goes on";
    append(out, mix_frames(mixer, 100 + delay));
    EXPECT_FALSE(mixer.playing()) << "every voice and the delayed end are out";
    append(out, mix_frames(mixer, 50));

    for (std::size_t i = 0; i < out.size() / 2; ++i) {
        for (int c = 0; c < 2; ++c) {
            int expected = 0;
            if (i >= delay && i - delay < 1000) expected += pcm(long_one, i - delay, c);
            if (i >= 300 + delay && i - delay < 900) expected += pcm(short_one, i - delay - 300, c);
            ASSERT_EQ(out[2 * i + c], expected) << "frame " << i << " channel " << c;
        }
    }
}

TEST(Mixer, LoudOverlapsAreTurnedDownNotClippedOrWrapped) {
    // Two sounds peaking near 0.9, as ours do, the second starting 1 s into the first, in phase.
    const auto path = scratch("loud.wav");
    ASSERT_TRUE(run_sox("-n -r 44100 -c 1 -b 16 " + quoted(path) + " synth 1.5 sine 440 gain -n -0.9"));
    const auto loud = parse_wav_file(read_bytes(path));
    ASSERT_TRUE(loud);
    const std::size_t frames = loud->frames(), start = 44100;

    Mixer mixer(rate);
    mixer.add(*loud);
    std::vector<std::int16_t> out = mix_frames(mixer, start);
    mixer.add(*loud);
    append(out, mix_frames(mixer, start + frames - start + delay));
    auto sum_at = [&](std::size_t i) {  // the two sounds' sum at output frame i
        float sum = 0;
        if (i >= delay && i - delay < frames) sum += loud->samples[i - delay];
        if (i >= start + delay && i - delay - start < frames) sum += loud->samples[i - delay - start];
        return sum;
    };

    int peak = 0, longest_run_at_full_scale = 0, run = 0;
    for (std::size_t i = 0; i < out.size() / 2; ++i) {
        const int got = out[2 * i];
        const float sum = sum_at(i);
        const bool overlap = i >= start + delay && i < frames + delay;
        const bool recovered = i > frames + delay + rate * 6 / 10;  // 0.6 s after the overlap
        if (!overlap && (i < start || recovered)) {
            ASSERT_EQ(got, std::lround(sum * 32768)) << "a loud sound alone passes untouched, frame " << i;
        }
        if (std::abs(sum) > 0.01f) {
            ASSERT_EQ(got > 0, sum > 0) << "wrapped at frame " << i;
        }
        if (overlap) {
            peak = std::max(peak, std::abs(got));
            run = std::abs(got) >= 32767 ? run + 1 : 0;
            longest_run_at_full_scale = std::max(longest_run_at_full_scale, run);
        }
    }
    EXPECT_GT(peak, 32000) << "turned down to full scale, not far below it";
    EXPECT_LE(longest_run_at_full_scale, 2) << "the tops are not clipped flat";
}

double snr_db(const std::vector<std::int16_t>& got, const std::vector<float>& reference,
              std::size_t from, std::size_t to) {
    double signal = 0, noise = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double g = got[i] / 32768.0, r = reference[i];
        signal += r * r;
        noise += (g - r) * (g - r);
    }
    return 10 * std::log10(signal / std::max(noise, 1e-30));
}

TEST(Mixer, ConvertsRatesAndChannelsCloseToSox) {
    struct Case {
        int input_rate, channels;
    };
    for (const Case c : {Case{22050, 1}, Case{8000, 1}, Case{11025, 2}, Case{16000, 1}, Case{32000, 2},
                         Case{48000, 2}, Case{96000, 1}, Case{44100, 1}, Case{22051, 1}}) {
        SCOPED_TRACE(std::to_string(c.input_rate) + " Hz, " + std::to_string(c.channels) + " channel(s)");
        // Sweeps across 70 % of the lower Nyquist frequency, a different one on each side.
        const int top = std::min(c.input_rate, rate) * 35 / 100;
        const auto path = scratch(std::to_string(c.input_rate) + "-" + std::to_string(c.channels) + ".wav");
        const std::string sweeps = " sine 100-" + std::to_string(top) + (c.channels == 2 ? " sine " + std::to_string(top) + "-100" : "");
        ASSERT_TRUE(run_sox("-n -r " + std::to_string(c.input_rate) + " -c " + std::to_string(c.channels) +
                            " -b 16 " + quoted(path) + " synth 0.4" + sweeps + " gain -6"));
        const auto sound = parse_wav_file(read_bytes(path));
        ASSERT_TRUE(sound);
        const std::vector<float> reference = sox_decode(path, "-r 44100 -c 2");
        ASSERT_FALSE(reference.empty());

        Mixer mixer(rate);
        mixer.add(*sound);
        std::vector<std::int16_t> out = mix_frames(mixer, reference.size() / 2 + delay);
        out.erase(out.begin(), out.begin() + 2 * delay);
        // Both ends fade in and out through the filters; compare the part between.
        const std::size_t edge = 2 * 2000;
        EXPECT_GT(snr_db(out, reference, edge, reference.size() - edge), 60);
    }
}

TEST(Mixer, IgnoresSoundsItCannotPlay) {
    Mixer mixer(rate);
    mixer.add(Sound{});
    mixer.add(Sound{rate, 3, std::vector<float>(30, 0.5f)});
    mixer.add(Sound{rate, 0, std::vector<float>(30, 0.5f)});
    mixer.add(Sound{999, 1, std::vector<float>(30, 0.5f)});
    mixer.add(Sound{400000, 1, std::vector<float>(30, 0.5f)});
    mixer.add(Sound{rate, 2, std::vector<float>(1, 0.5f)});  // half a frame
    EXPECT_FALSE(mixer.playing());
}

}  // namespace
}  // namespace pawlet
