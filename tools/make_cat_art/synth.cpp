#include "synth.h"

#include <algorithm>
#include <cmath>

#include "media_writers.h"

namespace pawlet::art::synth {

Samples silence(double seconds) { return Samples(at(seconds), 0.0); }

std::size_t at(double seconds) { return static_cast<std::size_t>(std::max(0.0, seconds) * sample_rate + 0.5); }

double Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

double Noise::uniform(double lo, double hi) { return lo + (hi - lo) * (next() + 1) / 2; }

Samples noise(double seconds, Noise& source) {
    Samples s(at(seconds));
    for (double& v : s) v = source.next();
    return s;
}

Samples tone(double seconds, const Curve& frequency, Wave wave) {
    Samples s(at(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / sample_rate;
        phase += frequency(t) / sample_rate;
        phase -= std::floor(phase);
        switch (wave) {
        case Wave::sine: s[i] = std::sin(2 * pi * phase); break;
        case Wave::saw: s[i] = 2 * phase - 1; break;
        case Wave::square: s[i] = phase < 0.5 ? 1 : -1; break;
        case Wave::pulse: s[i] = phase < 0.2 ? 1 : -0.25; break;
        }
    }
    return s;
}

void shape(Samples& s, const Curve& gain) {
    for (std::size_t i = 0; i < s.size(); ++i) s[i] *= gain(static_cast<double>(i) / sample_rate);
}

void low_pass(Samples& s, double cutoff) {
    const double a = 1 - std::exp(-2 * pi * cutoff / sample_rate);
    double y = 0;
    for (double& v : s) v = y += a * (v - y);
}

void high_pass(Samples& s, double cutoff) {
    Samples low = s;
    low_pass(low, cutoff);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] -= low[i];
}

void band_pass(Samples& s, const Curve& centre, double q) {
    // Biquad band-pass (constant peak gain), its coefficients updated as the centre glides.
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double f = std::clamp(centre(static_cast<double>(i) / sample_rate), 20.0, sample_rate * 0.45);
        const double w = 2 * pi * f / sample_rate, alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
        const double x = s[i];
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        s[i] = y;
    }
}

Samples formants(const Samples& source, const std::vector<Curve>& centres, const std::vector<double>& gains, double q) {
    Samples out(source.size(), 0.0);
    for (std::size_t k = 0; k < centres.size(); ++k) {
        Samples band = source;
        band_pass(band, centres[k], q);
        for (std::size_t i = 0; i < out.size(); ++i) out[i] += gains[k] * band[i];
    }
    return out;
}

void mix_in(Samples& dst, const Samples& src, double offset, double gain) {
    const std::size_t start = at(offset);
    if (dst.size() < start + src.size()) dst.resize(start + src.size(), 0.0);
    for (std::size_t i = 0; i < src.size(); ++i) dst[start + i] += gain * src[i];
}

double exp_decay(double t, double time_constant) { return t < 0 ? 0 : std::exp(-t / time_constant); }

double attack_decay(double t, double attack, double time_constant) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / time_constant);
}

double smooth_window(double t, double start, double fade_in, double end, double fade_out) {
    auto s = [](double x) {
        x = std::clamp(x, 0.0, 1.0);
        return x * x * (3 - 2 * x);
    };
    return s((t - start) / fade_in) * (1 - s((t - (end - fade_out)) / fade_out));
}

void finish(Samples& s, double peak, double fade_in, double fade_out) {
    // Offset removed first and fades before the level, so the ends are true silence and the
    // loudest sample left after the fades reaches the peak.
    double mean = 0;
    for (double v : s) mean += v;
    if (!s.empty()) mean /= static_cast<double>(s.size());
    const std::size_t in = at(fade_in), out = at(fade_out);
    double top = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double g = 1;
        if (i < in) g *= static_cast<double>(i) / static_cast<double>(in);
        if (i + out >= s.size()) g *= static_cast<double>(s.size() - 1 - i) / static_cast<double>(out);
        s[i] = (s[i] - mean) * g;
        top = std::max(top, std::abs(s[i]));
    }
    const double gain = top > 0 ? peak / top : 0;
    for (double& v : s) v *= gain;
}

std::vector<std::uint8_t> wav_bytes(const Samples& s) {
    std::vector<std::int16_t> pcm(s.size());
    std::transform(s.begin(), s.end(), pcm.begin(), [](double v) {
        return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    });
    return media::encode_pcm16_wav(pcm, sample_rate);
}

}  // namespace pawlet::art::synth
