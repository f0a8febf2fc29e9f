#include "media/resample_kernel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace pawlet {
namespace {

// 24 zero crossings each side and a Kaiser window of beta 8.5: flat within 0.03 dB to 85 % of
// the lower Nyquist frequency, half amplitude at 94 %, 85 dB down from 106 % on.
constexpr double zero_crossings = 24;
constexpr double kaiser_beta = 8.5;
constexpr double cutoff = 0.94;  // of the lower Nyquist frequency

double bessel_i0(double x) {
    double sum = 1, term = 1;
    for (int k = 1; k < 50 && term > 1e-12 * sum; ++k) {
        const double half = x / (2 * k);
        term *= half * half;
        sum += term;
    }
    return sum;
}

double sinc(double x) {
    if (std::abs(x) < 1e-12) return 1;
    return std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}

}  // namespace

std::shared_ptr<const ResampleKernel> make_resample_kernel(int input_rate, int output_rate) {
    auto kernel = std::make_shared<ResampleKernel>();
    const int common = std::gcd(input_rate, output_rate);
    kernel->in_step = static_cast<std::uint32_t>(input_rate / common);
    kernel->out_step = static_cast<std::uint32_t>(output_rate / common);

    // Cut-off in cycles per input frame, relative to the input's Nyquist frequency.
    const double fc = cutoff * std::min(1.0, static_cast<double>(output_rate) / input_rate);
    const double half_width = zero_crossings / fc;  // in input frames
    const int half_taps = static_cast<int>(std::ceil(half_width));
    kernel->taps = 2 * half_taps;
    kernel->first_tap_offset = 1 - half_taps;
    kernel->rows = static_cast<int>(std::min<std::uint32_t>(kernel->out_step, most_resample_phases));
    kernel->coefficients.resize(static_cast<std::size_t>(kernel->rows) *
                                static_cast<std::size_t>(kernel->taps));

    const double window_norm = bessel_i0(kaiser_beta);
    for (int r = 0; r < kernel->rows; ++r) {
        const double phase = static_cast<double>(r) / kernel->rows;
        float* row = kernel->coefficients.data() + static_cast<std::size_t>(r) * kernel->taps;
        double sum = 0;
        std::vector<double> weights(static_cast<std::size_t>(kernel->taps));
        for (int j = 0; j < kernel->taps; ++j) {
            const double distance = phase - (kernel->first_tap_offset + j);
            const double edge = distance / half_width;
            const double window =
                edge * edge < 1 ? bessel_i0(kaiser_beta * std::sqrt(1 - edge * edge)) / window_norm : 0;
            weights[static_cast<std::size_t>(j)] = fc * sinc(fc * distance) * window;
            sum += weights[static_cast<std::size_t>(j)];
        }
        for (int j = 0; j < kernel->taps; ++j)
            row[j] = static_cast<float>(weights[static_cast<std::size_t>(j)] / sum);
    }
    return kernel;
}

}  // namespace pawlet
