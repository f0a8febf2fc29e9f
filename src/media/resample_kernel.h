#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace pawlet {

// A Kaiser-windowed sinc low-pass sampled at a set of phases, for converting sounds from one
// sample rate to another. Output frame n lies at input position n * in_step / out_step; the
// fraction of that position picks the row, whose taps weigh the input frames around it.
struct ResampleKernel {
    std::uint32_t in_step = 1;   // the two rates divided by their greatest common divisor
    std::uint32_t out_step = 1;
    int taps = 0;                // per row
    int rows = 0;                // phases: out_step, or fewer for rates with a large out_step
    int first_tap_offset = 0;    // input frame of tap 0, relative to the frame at or left of the position
    std::vector<float> coefficients;  // rows x taps; each row sums to 1

    std::span<const float> row(int r) const {
        return std::span<const float>(coefficients)
            .subspan(static_cast<std::size_t>(r) * static_cast<std::size_t>(taps),
                     static_cast<std::size_t>(taps));
    }
};

// Most phases a kernel keeps; with more, positions round to the nearest of this many.
inline constexpr int most_resample_phases = 1024;

// The kernel from input_rate to output_rate (both above 0). Its cut-off lies a little below
// the lower of the two Nyquist frequencies, so that neither images nor aliases are heard.
std::shared_ptr<const ResampleKernel> make_resample_kernel(int input_rate, int output_rate);

}  // namespace pawlet
