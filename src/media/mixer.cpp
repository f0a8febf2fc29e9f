#include "media/mixer.h"

#include <algorithm>
#include <cmath>

namespace pawlet {
namespace {

constexpr std::size_t kernels_kept = 8;

// Four running sums: the additions of one do not wait for the others'.
float dot(const float* a, const float* b, std::size_t n) {
    float s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        s0 += a[i] * b[i];
        s1 += a[i + 1] * b[i + 1];
        s2 += a[i + 2] * b[i + 2];
        s3 += a[i + 3] * b[i + 3];
    }
    for (; i < n; ++i) s0 += a[i] * b[i];
    return (s0 + s1) + (s2 + s3);
}

struct StereoSum {
    float left, right;
};

// Taps against interleaved left/right frames.
StereoSum dot_stereo(const float* taps, const float* frames, std::size_t n) {
    float l0 = 0, r0 = 0, l1 = 0, r1 = 0;
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        l0 += taps[i] * frames[2 * i];
        r0 += taps[i] * frames[2 * i + 1];
        l1 += taps[i + 1] * frames[2 * i + 2];
        r1 += taps[i + 1] * frames[2 * i + 3];
    }
    if (i < n) {
        l0 += taps[i] * frames[2 * i];
        r0 += taps[i] * frames[2 * i + 1];
    }
    return {l0 + l1, r0 + r1};
}

std::int16_t to_pcm16(float v) {
    const float scaled = std::nearbyint(v * 32768.0f);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

Mixer::Mixer(int output_rate)
    : output_rate_(output_rate), limiter_(output_rate, output_channels) {}

void Mixer::clear() {
    voices_.clear();
    limiter_ = PeakLimiter(output_rate_, output_channels);
    tail_frames_ = 0;
}

std::shared_ptr<const ResampleKernel> Mixer::kernel_for(int input_rate) {
    for (const auto& kernel : kernels_) {
        if (static_cast<std::uint64_t>(kernel->in_step) * static_cast<std::uint64_t>(output_rate_) ==
            static_cast<std::uint64_t>(kernel->out_step) * static_cast<std::uint64_t>(input_rate))
            return kernel;
    }
    if (kernels_.size() >= kernels_kept) {
        std::erase_if(kernels_, [](const auto& kernel) { return kernel.use_count() == 1; });
    }
    kernels_.push_back(make_resample_kernel(input_rate, output_rate_));
    return kernels_.back();
}

void Mixer::add(Sound sound) {
    if (sound.channels < 1 || sound.channels > 2 || sound.frames() == 0 ||
        sound.sample_rate < lowest_rate || sound.sample_rate > highest_rate)
        return;
    Voice voice;
    voice.length = sound.frames();
    if (sound.sample_rate != output_rate_) {
        voice.kernel = kernel_for(sound.sample_rate);
        const std::uint64_t in = voice.kernel->in_step, out = voice.kernel->out_step;
        voice.length = static_cast<std::size_t>((sound.frames() * out + in - 1) / in);
    }
    voice.sound = std::move(sound);
    voices_.push_back(std::move(voice));
}

void Mixer::mix(std::span<std::int16_t> out) {
    sum_.assign(out.size(), 0.0f);
    const std::size_t frames = out.size() / output_channels;
    std::size_t sounding = 0;  // frames of this block up to the end of the last voice in it
    for (Voice& voice : voices_) sounding = std::max(sounding, render(voice, sum_));
    std::erase_if(voices_, [](const Voice& v) { return v.produced >= v.length; });
    if (sounding > 0) tail_frames_ = delay_frames + sounding;
    tail_frames_ -= std::min(tail_frames_, frames);
    limiter_.process(sum_);
    std::transform(sum_.begin(), sum_.end(), out.begin(), to_pcm16);
}

std::size_t Mixer::render(Voice& voice, std::span<float> sum) {
    return voice.kernel ? render_resampled(voice, sum) : render_same_rate(voice, sum);
}

std::size_t Mixer::render_same_rate(Voice& voice, std::span<float> sum) {
    const std::size_t frames = std::min(sum.size() / output_channels, voice.length - voice.produced);
    const float* in = voice.sound.samples.data() + voice.produced * voice.sound.channels;
    float* acc = sum.data();
    if (voice.sound.channels == 2) {
        for (std::size_t i = 0; i < 2 * frames; ++i) acc[i] += in[i];
    } else {
        for (std::size_t i = 0; i < frames; ++i) {
            acc[2 * i] += in[i];
            acc[2 * i + 1] += in[i];
        }
    }
    voice.produced += frames;
    return frames;
}

std::size_t Mixer::render_resampled(Voice& voice, std::span<float> sum) {
    const ResampleKernel& k = *voice.kernel;
    const std::size_t frames = std::min(sum.size() / output_channels, voice.length - voice.produced);
    const auto input_frames = static_cast<std::ptrdiff_t>(voice.sound.frames());
    const float* in = voice.sound.samples.data();
    const bool stereo = voice.sound.channels == 2;
    const auto rows = static_cast<std::uint64_t>(k.rows);
    const std::ptrdiff_t taps = k.taps;

    for (std::size_t n = 0; n < frames; ++n) {
        // The nearest phase; with as many rows as phases it is the exact one.
        std::uint64_t row = rows == k.out_step ? voice.remainder
                                               : (voice.remainder * rows + k.out_step / 2) / k.out_step;
        auto first = static_cast<std::ptrdiff_t>(voice.input_frame) + k.first_tap_offset;  // tap 0's frame
        if (row == rows) {
            row = 0;
            ++first;
        }
        const float* c = k.row(static_cast<int>(row)).data();
        // Taps j0..j1 fall on frames of the sound; the others read silence.
        const std::ptrdiff_t j0 = std::clamp<std::ptrdiff_t>(-first, 0, taps);
        const std::ptrdiff_t j1 = std::clamp<std::ptrdiff_t>(input_frames - first, j0, taps);
        const auto count = static_cast<std::size_t>(j1 - j0);
        if (count > 0 && stereo) {
            const StereoSum s = dot_stereo(c + j0, in + 2 * (first + j0), count);
            sum[2 * n] += s.left;
            sum[2 * n + 1] += s.right;
        } else if (count > 0) {
            const float v = dot(c + j0, in + first + j0, count);
            sum[2 * n] += v;
            sum[2 * n + 1] += v;
        }

        voice.remainder += k.in_step;
        while (voice.remainder >= k.out_step) {
            voice.remainder -= k.out_step;
            ++voice.input_frame;
        }
    }
    voice.produced += frames;
    return frames;
}

}  // namespace pawlet
