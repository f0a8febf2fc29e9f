// The program's whole per-frame path over an asset file: the bytes decoded into the sprite's
// picture in the animation box's model, then every area it marked composed into the surface.
// The box keeps its sprite across inputs, as the program does from frame to frame.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "declared_size.h"
#include "formats/jpeg_decode.h"
#include "media/sprite_box.h"

namespace {

constexpr int client_width = 318, client_height = 478;  // the animation box inside its edge

struct Box {
    pawlet::Picture background{320, 480, pawlet::PixelBuffer(320 * 480, 0xFF406080u)};
    pawlet::SpriteBox model{client_width, client_height, 0xFFF0F0F0u, &background};
    int sprite = model.create_sprite(0, 0);
    std::vector<std::uint32_t> surface = std::vector<std::uint32_t>(client_width * client_height);
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Box box;
    const std::span<const std::uint8_t> buffer(data, size);
    if (pawlet::fuzzing::declared_jpeg_pixels(buffer) > pawlet::fuzzing::largest_fuzzed_pixels) return 0;
    box.model.fill_sprite_picture(box.sprite, [buffer](pawlet::Picture& into) { pawlet::decode_jpeg_into(buffer, into); });
    for (const pawlet::Rect& area : box.model.take_dirty_areas()) {
        if (area.left < 0 || area.top < 0 || area.right > client_width || area.bottom > client_height)
            __builtin_trap();
        box.model.compose(area, box.surface.data() + area.top * client_width + area.left, client_width);
    }
    return 0;
}
