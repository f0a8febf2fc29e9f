// What one animation step costs the main thread: decoding a 320 x 480 frame and composing the
// box's client area for the paint. At one frame per 50 ms both must stay far below a millisecond.
// The decode runs both ways: into a fresh picture per frame, and into one picture kept from frame
// to frame as the animation box does. Each iteration is one frame; with the drawn cat's frames
// from this build the iterations cycle through all of them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/jpeg_decode.h"
#include "media/sprite_box.h"
#include "unit/jpeg_test_encoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes frame_jpeg() {
    // Gradients and broad stripes: a frame-sized picture with edges for the decoder to work on.
    return pawlet::testing::encode_jpeg(320, 480, [](int x, int y) {
        return pawlet::testing::Rgb{static_cast<std::uint8_t>(x * 255 / 320),
                                    static_cast<std::uint8_t>(((x / 24 + y / 24) % 2) * 200),
                                    static_cast<std::uint8_t>(y * 255 / 480)};
    }, {.quality = 85});
}

// Every frame of the drawn cat, in name order; empty when the native preset has not drawn them.
const std::vector<Bytes>& cat_frames() {
    static const std::vector<Bytes> frames = [] {
        std::vector<std::filesystem::path> paths;
        std::error_code error;
        for (std::filesystem::recursive_directory_iterator it(PAWLET_CAT_ANIMATIONS_DIR, error), end;
             !error && it != end; it.increment(error))
            if (it->path().extension() == ".jpg") paths.push_back(it->path());
        std::sort(paths.begin(), paths.end());
        std::vector<Bytes> read;
        for (const auto& path : paths) {
            std::ifstream file(path, std::ios::binary);
            read.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        return read;
    }();
    return frames;
}

// The cat's frames when there are any, else the one made-up frame; `state`'s label says which.
const std::vector<Bytes>& frames_for(benchmark::State& state) {
    static const std::vector<Bytes> made_up{frame_jpeg()};
    const std::vector<Bytes>& cat = cat_frames();
    const std::vector<Bytes>& frames = cat.empty() ? made_up : cat;
    std::size_t bytes = 0;
    for (const Bytes& f : frames) bytes += f.size();
    state.SetLabel(std::string(cat.empty() ? "made-up frame, " : "cat frames: ") +
                   std::to_string(frames.size()) + ", mean " + std::to_string(bytes / frames.size()) +
                   " bytes");
    return frames;
}

void decode_frame_fresh(benchmark::State& state) {
    const std::vector<Bytes>& frames = frames_for(state);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pawlet::decode_jpeg(frames[next]));
        next = (next + 1) % frames.size();
    }
}
BENCHMARK(decode_frame_fresh)->Unit(benchmark::kMicrosecond);

void decode_frame_reused(benchmark::State& state) {
    const std::vector<Bytes>& frames = frames_for(state);
    pawlet::Picture picture;
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pawlet::decode_jpeg_into(frames[next], picture));
        benchmark::ClobberMemory();
        next = (next + 1) % frames.size();
    }
}
BENCHMARK(decode_frame_reused)->Unit(benchmark::kMicrosecond);

void compose_client_area(benchmark::State& state) {
    const Bytes jpeg = frame_jpeg();
    const pawlet::Picture background = *pawlet::decode_jpeg(jpeg);
    pawlet::SpriteBox box(318, 478, 0xFFF0F0F0u, &background);
    const int id = box.create_sprite(0, 0);
    box.set_sprite_picture(id, background);
    std::vector<std::uint32_t> out(318 * 478);
    for (auto _ : state) {
        box.compose({0, 0, 318, 478}, out.data(), 318);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(compose_client_area)->Unit(benchmark::kMicrosecond);

// The whole frame step: the new picture into the sprite, then the marked areas composed.
template <bool reuse>
void frame_step(benchmark::State& state) {
    const std::vector<Bytes>& frames = frames_for(state);
    pawlet::SpriteBox box(318, 478, 0xFFF0F0F0u, nullptr);
    const int id = box.create_sprite(0, 0);
    std::vector<std::uint32_t> out(318 * 478);
    std::size_t next = 0;
    for (auto _ : state) {
        const Bytes& jpeg = frames[next];
        if constexpr (reuse)
            box.fill_sprite_picture(id, [&jpeg](pawlet::Picture& into) {
                return pawlet::decode_jpeg_into(jpeg, into).as_optional();
            });
        else
            box.set_sprite_picture(id, pawlet::decode_jpeg(jpeg).as_optional());
        for (const pawlet::Rect& area : box.take_dirty_areas())
            box.compose(area, out.data() + area.top * 318 + area.left, 318);
        benchmark::ClobberMemory();
        next = (next + 1) % frames.size();
    }
}
void frame_step_fresh_picture(benchmark::State& state) { frame_step<false>(state); }
void frame_step_reused_picture(benchmark::State& state) { frame_step<true>(state); }
BENCHMARK(frame_step_fresh_picture)->Unit(benchmark::kMicrosecond);
BENCHMARK(frame_step_reused_picture)->Unit(benchmark::kMicrosecond);

}  // namespace
