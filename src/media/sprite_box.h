#pragma once
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace pawlet {

// The animation box's model: a ready background surface of the client size and, over it,
// window-less sprites in creation order. Changing a sprite only marks areas for repainting;
// the window layer asks for those areas and composes them off-screen when it paints.
class SpriteBox {
public:
    // client_width x client_height surface filled with background_colour (0xAARRGGBB),
    // with the background picture (if any) drawn at the client origin at natural size.
    SpriteBox(int client_width, int client_height, std::uint32_t background_colour,
              const Picture* background);

    // New sprite at (left, top); identifiers are 1, 2, 3, ... per box. No picture yet.
    int create_sprite(int left, int top, bool shown = true);

    // Replaces the sprite's picture; nullopt or an empty picture leaves the sprite without one.
    // Marks the old and the new area dirty. Unknown id: nothing happens.
    void set_sprite_picture(int id, std::optional<Picture> picture);

    // The same, but `fill` writes the new picture into the sprite's own one, whose pixel buffer
    // is kept from picture to picture; leaving it empty leaves the sprite without a picture.
    // `fill` may return the part it changed (std::optional<Rect>, picture coordinates): when the
    // new picture has the old one's size, only that part is marked, so unchanged pixels are
    // neither composed nor copied to the screen again. Without it the old and new areas are marked.
    template <typename Fill>
    void fill_sprite_picture(int id, Fill&& fill) {
        Sprite* sprite = find(id);
        if (!sprite) return;
        const Before before = before_change(*sprite);
        if constexpr (std::is_void_v<std::invoke_result_t<Fill&, Picture&>>) {
            fill(sprite->picture);
            end_change(*sprite, before, std::nullopt);
        } else {
            const std::optional<Rect> changed = fill(sprite->picture);
            end_change(*sprite, before, changed);
        }
    }

    // Areas marked since the last call, clipped to the client area; the list is emptied.
    std::vector<Rect> take_dirty_areas();

    // Composes `area` (client coordinates) into `out`, a top-down buffer of area.width() x
    // area.height() pixels whose rows are `stride` pixels apart, out[0] being (area.left, area.top).
    // Only the part of `area` inside the client is written; the rest of `out` is left alone.
    void compose(const Rect& area, std::uint32_t* out, int stride) const;

    int client_width() const;
    int client_height() const;
    std::size_t sprite_count() const;
    const Picture* sprite_picture(int id) const;  // null when absent or no picture

private:
    struct Sprite {
        int id;
        int left, top;
        bool shown;
        Picture picture;  // empty: none
    };
    struct Before {
        Rect area;  // in client coordinates; empty without a picture
        int width, height;
    };
    Before before_change(const Sprite& s) const;
    // Marks what the change touched: `changed` alone when the picture kept its size, else the
    // old area and the new one.
    void end_change(Sprite& s, const Before& before, const std::optional<Rect>& changed);
    Sprite* find(int id);
    const Sprite* find(int id) const;
    Rect client_part(const Sprite& s) const;  // empty when it has no picture
    void mark(const Sprite& s);

    Picture surface_;
    std::vector<Sprite> sprites_;
    std::vector<Rect> dirty_;
    int next_id_ = 1;
};

}  // namespace pawlet
