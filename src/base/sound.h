#pragma once
#include <cstddef>
#include <vector>

namespace pawlet {

// Decoded sound: samples in -1..1, one per channel per frame, the channels of a frame side by
// side (left first in stereo).
struct Sound {
    int sample_rate = 0;  // frames per second
    int channels = 0;     // 1 or 2
    std::vector<float> samples;

    std::size_t frames() const {
        return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
    }
};

}  // namespace pawlet
