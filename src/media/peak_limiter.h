#pragma once
#include <cstddef>
#include <span>
#include <vector>

namespace pawlet {

// Keeps a sum of sounds inside -1..1 without clipping it. The gain looks a little ahead: it
// ramps down over lookahead_frames so that the loudest frame just fits, holds while the peaks
// go on and comes back to 1 over about half a second. Everything passes delayed by
// delay_frames; sounds that stay inside the range pass otherwise untouched.
class PeakLimiter {
public:
    static constexpr std::size_t lookahead_frames = 64;
    static constexpr std::size_t delay_frames = lookahead_frames - 1;

    PeakLimiter(int sample_rate, int channels);

    // Takes interleaved frames in and gives the frames delay_frames earlier, limited, back in
    // their place.
    void process(std::span<float> samples);

private:
    float next_envelope(float peak);

    std::size_t channels_;
    std::size_t hold_frames_;
    float release_;  // share of the distance to 1 regained per frame after the hold
    float shortfall_ = 0;  // 1 minus the envelope
    std::size_t hold_left_ = 0;
    std::size_t ramp_left_ = 0;  // frames in which a gain below 1 may still apply

    // Rings: the frames waiting to go out, and the last lookahead_frames envelopes and their
    // running minima.
    std::vector<float> delayed_;
    std::vector<float> envelopes_;
    std::vector<float> minima_;
    std::size_t delay_at_ = 0;
    std::size_t window_at_ = 0;
};

}  // namespace pawlet
