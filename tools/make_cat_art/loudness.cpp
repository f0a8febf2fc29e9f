#include "loudness.h"

#include <algorithm>
#include <cmath>

namespace pawlet::art::synth {
namespace {

double db(double v) { return 20 * std::log10(std::max(v, 1e-6)); }
double from_db(double d) { return std::pow(10.0, d / 20); }

// Gain per sample that keeps |s| * gain under the ceiling, opening no faster than a 40 ms
// release and closing a few milliseconds ahead of each peak, smoothly.
std::vector<double> limiter_gain(const Samples& s) {
    const std::size_t n = s.size(), ahead = at(0.002);
    std::vector<double> need(n);
    for (std::size_t i = 0; i < n; ++i) need[i] = std::min(1.0, level_ceiling / std::max(std::abs(s[i]), 1e-9));
    // Lowest need within 2 * ahead either side, then a moving average over ahead either side: the
    // average of values each at most need[i] stays at most need[i].
    std::vector<double> low(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t a = i >= 2 * ahead ? i - 2 * ahead : 0, b = std::min(n, i + 2 * ahead + 1);
        low[i] = *std::min_element(need.begin() + static_cast<std::ptrdiff_t>(a), need.begin() + static_cast<std::ptrdiff_t>(b));
    }
    std::vector<double> gain(n);
    const double release = 1 - std::exp(-1.0 / (0.04 * sample_rate));
    double last = 1;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t a = i >= ahead ? i - ahead : 0, b = std::min(n, i + ahead + 1);
        double sum = 0;
        for (std::size_t j = a; j < b; ++j) sum += low[j];
        const double smooth = sum / static_cast<double>(b - a);
        last = std::min(smooth, last + (1 - last) * release);
        gain[i] = last;
    }
    return gain;
}

}  // namespace

double loudest_rms_db(const Samples& s) {
    const std::size_t window = at(0.1);
    if (s.empty()) return -120;
    double sum = 0, best = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        sum += s[i] * s[i];
        if (i >= window) sum -= s[i - window] * s[i - window];
        best = std::max(best, sum);
    }
    const double rms = std::sqrt(best / static_cast<double>(std::min(window, s.size())));
    return rms > 0 ? db(rms) : -120;
}

double onset_seconds(const Samples& s) {
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (std::abs(s[i]) >= 0.1 * peak && peak > 0) return static_cast<double>(i) / sample_rate;
    }
    return 0;
}

void level_loudness(Samples& s) {
    const double wanted = loudness_target_db - loudest_rms_db(s);
    if (wanted <= 0) {
        const double gain = from_db(std::max(wanted, db(quietest_peak / level_ceiling)));
        for (double& v : s) v *= gain;
        return;
    }
    // The limiter takes back part of each boost, so boost again on what is left.
    double boosted = 0;
    for (int round = 0; round < 4; ++round) {
        const double step = std::min(loudness_target_db - loudest_rms_db(s), most_boost_db - boosted);
        if (step < 0.25) break;
        boosted += step;
        const double gain = from_db(step);
        for (double& v : s) v *= gain;
        const std::vector<double> limit = limiter_gain(s);
        for (std::size_t i = 0; i < s.size(); ++i) s[i] *= limit[i];
    }
}

}  // namespace pawlet::art::synth
