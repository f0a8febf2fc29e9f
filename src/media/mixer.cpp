#include "media/mixer.h"

#include <algorithm>
#include <cmath>

namespace pawlet {
namespace {

constexpr std::size_t kernels_kept = 8;

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
    const std::size_t input_frames = voice.sound.frames();
    const float* in = voice.sound.samples.data();
    const bool stereo = voice.sound.channels == 2;
    const auto rows = static_cast<std::uint64_t>(k.rows);
    const auto taps = static_cast<std::size_t>(k.taps);

    for (std::size_t n = 0; n < frames; ++n) {
        // The nearest phase; with as many rows as phases it is exact.
        std::uint64_t row = (voice.remainder * rows + k.out_step / 2) / k.out_step;
        std::size_t centre = voice.input_frame;
        if (row == rows) {
            row = 0;
            ++centre;
        }
        const float* c = k.row(static_cast<int>(row)).data();
        // Input frame of tap 0; taps outside the sound read silence.
        const auto first = static_cast<std::ptrdiff_t>(centre) + k.first_tap_offset;
        const std::size_t skip = first < 0 ? static_cast<std::size_t>(-first) : 0;
        const std::size_t start = first < 0 ? 0 : static_cast<std::size_t>(first);
        const std::ptrdiff_t stop = first + k.taps;
        const std::size_t end = stop <= 0 ? 0 : std::min(input_frames, static_cast<std::size_t>(stop));
        float left = 0, right = 0;
        if (stereo) {
            for (std::size_t f = start, j = skip; f < end && j < taps; ++f, ++j) {
                left += c[j] * in[2 * f];
                right += c[j] * in[2 * f + 1];
            }
        } else {
            for (std::size_t f = start, j = skip; f < end && j < taps; ++f, ++j) left += c[j] * in[f];
            right = left;
        }
        sum[2 * n] += left;
        sum[2 * n + 1] += right;

        voice.remainder += k.in_step;
        voice.input_frame += static_cast<std::size_t>(voice.remainder / k.out_step);
        voice.remainder %= k.out_step;
    }
    voice.produced += frames;
    return frames;
}

}  // namespace pawlet
