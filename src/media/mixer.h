#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/sound.h"
#include "media/peak_limiter.h"
#include "media/resample_kernel.h"

namespace pawlet {

// Sums any number of sounds that overlap in time into one stream of 16-bit stereo frames at
// one rate. Each sound added plays once from its start to its end, converted to the output's
// rate and to stereo (mono on both sides); none is cut off by another. The sum goes through a
// peak limiter, so loud overlaps are turned down rather than clipped or wrapped; everything
// comes out delay_frames late, the limiter's look-ahead.
class Mixer {
public:
    static constexpr int output_channels = 2;
    // Sound rates outside this range are ignored rather than converted.
    static constexpr int lowest_rate = 1000;
    static constexpr int highest_rate = 384000;
    static constexpr std::size_t delay_frames = PeakLimiter::delay_frames;

    explicit Mixer(int output_rate);

    // Starts a voice that plays `sound` from its first frame at the next mix(). Sounds without
    // frames, with other than 1 or 2 channels, or with a rate outside the range are ignored.
    void add(Sound sound);

    // Fills `out` (interleaved stereo, out.size() / 2 frames) with the next frames of every
    // voice; silence where none plays. Voices that have played to their end are dropped.
    void mix(std::span<std::int16_t> out);

    std::size_t voice_count() const { return voices_.size(); }
    // True while a voice plays or the delayed end of one has still to come out.
    bool playing() const { return !voices_.empty() || tail_frames_ > 0; }
    // Drops every voice; what is still delayed comes out as silence.
    void clear();
    int output_rate() const { return output_rate_; }

private:
    struct Voice {
        Sound sound;
        std::shared_ptr<const ResampleKernel> kernel;  // null when the rates match
        std::size_t input_frame = 0;  // at or left of the position
        std::uint64_t remainder = 0;  // position's fraction, in 1/out_step of a frame
        std::size_t produced = 0;     // output frames so far
        std::size_t length = 0;       // output frames in all
    };

    std::shared_ptr<const ResampleKernel> kernel_for(int input_rate);
    // Each adds the voice's next frames into `sum` and says how many it added.
    static std::size_t render(Voice& voice, std::span<float> sum);
    static std::size_t render_same_rate(Voice& voice, std::span<float> sum);
    static std::size_t render_resampled(Voice& voice, std::span<float> sum);

    int output_rate_;
    std::vector<Voice> voices_;
    std::vector<std::shared_ptr<const ResampleKernel>> kernels_;  // one per input rate seen lately
    std::vector<float> sum_;
    PeakLimiter limiter_;
    std::size_t tail_frames_ = 0;
};

}  // namespace pawlet
