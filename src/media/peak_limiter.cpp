#include "media/peak_limiter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pawlet {
namespace {
constexpr double hold_seconds = 0.02;     // longer than a cycle of any tone we play
constexpr double release_seconds = 0.05;  // time constant: back to 1 after about ten of them
constexpr float close_to_one = 1.0f / 65536;
}  // namespace

PeakLimiter::PeakLimiter(int sample_rate, int channels)
    : channels_(static_cast<std::size_t>(channels)),
      hold_frames_(static_cast<std::size_t>(hold_seconds * sample_rate)),
      release_(static_cast<float>(1 - std::exp(-1 / (release_seconds * sample_rate)))),
      delayed_(delay_frames * channels_, 0.0f),
      envelopes_(lookahead_frames, 1.0f),
      minima_(lookahead_frames, 1.0f) {}

// The gain that a frame of this peak needs, never above the gain of the peaks just before.
float PeakLimiter::next_envelope(float peak) {
    const float needed = peak > 1 ? 1 / peak : 1.0f;
    if (needed <= 1 - shortfall_) {
        shortfall_ = 1 - needed;
        hold_left_ = hold_frames_;
    } else if (hold_left_ > 0) {
        --hold_left_;
    } else {
        // Kept as the distance to 1: near 1 a float's steps are too coarse for the release.
        shortfall_ *= 1 - release_;
        if (shortfall_ < close_to_one) shortfall_ = 0;
    }
    return 1 - shortfall_;
}

void PeakLimiter::process(std::span<float> samples) {
    for (std::size_t frame = 0; frame + channels_ <= samples.size(); frame += channels_) {
        float* in_out = samples.data() + frame;
        float peak = 0;
        for (std::size_t c = 0; c < channels_; ++c) peak = std::max(peak, std::abs(in_out[c]));
        const float envelope = next_envelope(peak);
        if (envelope < 1) ramp_left_ = 2 * lookahead_frames;

        // The gain for the frame leaving now: the mean, over the window, of each envelope's
        // minimum over the window before it. The frame's own envelope is in every one of those
        // minima, so it fits, and the gain reaches it in a ramp instead of a step.
        float gain = 1;
        envelopes_[window_at_] = envelope;
        if (ramp_left_ > 0) {
            --ramp_left_;
            minima_[window_at_] = *std::min_element(envelopes_.begin(), envelopes_.end());
            gain = std::accumulate(minima_.begin(), minima_.end(), 0.0f) / lookahead_frames;
        } else {
            minima_[window_at_] = 1;
        }
        window_at_ = (window_at_ + 1) % lookahead_frames;

        float* waiting = delayed_.data() + delay_at_ * channels_;
        for (std::size_t c = 0; c < channels_; ++c) {
            const float leaving = waiting[c];
            waiting[c] = in_out[c];
            in_out[c] = leaving * gain;
        }
        delay_at_ = (delay_at_ + 1) % delay_frames;
    }
}

}  // namespace pawlet
