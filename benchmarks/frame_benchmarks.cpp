// What one animation step costs the main thread: decoding a 320 x 480 frame and composing the
// box's client area for the paint. At one frame per 50 ms both must stay far below a millisecond.
#include <benchmark/benchmark.h>

#include <vector>

#include "formats/jpeg_decode.h"
#include "media/sprite_box.h"
#include "unit/jpeg_test_encoder.h"

namespace {

std::vector<std::uint8_t> frame_jpeg() {
    // Gradients and broad stripes: a frame-sized picture with edges for the decoder to work on.
    return pawlet::testing::encode_jpeg(320, 480, [](int x, int y) {
        return pawlet::testing::Rgb{static_cast<std::uint8_t>(x * 255 / 320),
                                    static_cast<std::uint8_t>(((x / 24 + y / 24) % 2) * 200),
                                    static_cast<std::uint8_t>(y * 255 / 480)};
    }, {.quality = 85});
}

void decode_frame(benchmark::State& state) {
    const std::vector<std::uint8_t> jpeg = frame_jpeg();
    for (auto _ : state) benchmark::DoNotOptimize(pawlet::decode_jpeg(jpeg));
    state.SetLabel(std::to_string(jpeg.size()) + " bytes");
}
BENCHMARK(decode_frame)->Unit(benchmark::kMicrosecond);

void compose_client_area(benchmark::State& state) {
    const std::vector<std::uint8_t> jpeg = frame_jpeg();
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

void decode_set_picture_then_compose(benchmark::State& state) {
    const std::vector<std::uint8_t> jpeg = frame_jpeg();
    pawlet::SpriteBox box(318, 478, 0xFFF0F0F0u, nullptr);
    const int id = box.create_sprite(0, 0);
    std::vector<std::uint32_t> out(318 * 478);
    for (auto _ : state) {
        box.set_sprite_picture(id, pawlet::decode_jpeg(jpeg).as_optional());
        for (const pawlet::Rect& area : box.take_dirty_areas())
            box.compose(area, out.data() + area.top * 318 + area.left, 318);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(decode_set_picture_then_compose)->Unit(benchmark::kMicrosecond);

}  // namespace
