#include "media/sprite_box.h"

#include <algorithm>
#include <cstring>
#include <utility>


namespace pawlet {
namespace {

// Copies the part of `from` that lies inside `to_area` (both in client coordinates). `from` is
// placed with its top-left pixel at (left, top); `to` holds `to_area`, rows `stride` apart.
void copy_rows(const Picture& from, int left, int top, const Rect& part, const Rect& to_area,
               std::uint32_t* to, int stride) {
    const auto row_pixels = static_cast<std::size_t>(part.width());
    for (int y = part.top; y < part.bottom; ++y) {
        const std::uint32_t* source =
            from.pixels.data() + static_cast<std::ptrdiff_t>(y - top) * from.width + (part.left - left);
        std::uint32_t* target = to + static_cast<std::ptrdiff_t>(y - to_area.top) * stride +
                                (part.left - to_area.left);
        std::memcpy(target, source, row_pixels * sizeof(std::uint32_t));
    }
}

// The rectangle that width x height pixels cover when placed at (left, top), cut to `bounds`.
// Worked out in 64 bits so that a position near the ends of int cannot overflow.
Rect placed_within(long long left, long long top, int width, int height, const Rect& bounds) {
    auto clamp = [](long long v, int lo, int hi) {
        return static_cast<int>(std::clamp<long long>(v, lo, hi));
    };
    const Rect placed{clamp(left, bounds.left, bounds.right), clamp(top, bounds.top, bounds.bottom),
                      clamp(left + width, bounds.left, bounds.right),
                      clamp(top + height, bounds.top, bounds.bottom)};
    return placed.empty() ? Rect{} : placed;
}

}  // namespace

SpriteBox::SpriteBox(int client_width, int client_height, std::uint32_t background_colour,
                     const Picture* background) {
    surface_.width = std::max(client_width, 0);
    surface_.height = std::max(client_height, 0);
    surface_.pixels.assign(static_cast<std::size_t>(surface_.width) * surface_.height,
                           background_colour);
    if (background && !background->empty()) {
        const Rect client{0, 0, surface_.width, surface_.height};
        const Rect part = placed_within(0, 0, background->width, background->height, client);
        copy_rows(*background, 0, 0, part, client, surface_.pixels.data(), surface_.width);
    }
}

int SpriteBox::create_sprite(int left, int top, bool shown) {
    sprites_.push_back(Sprite{next_id_, left, top, shown, Picture{}});
    ++next_id_;
    mark(sprites_.back());  // marks nothing yet: a new sprite has no picture
    return sprites_.back().id;
}

void SpriteBox::set_sprite_picture(int id, std::optional<Picture> picture) {
    fill_sprite_picture(id, [&picture](Picture& into) {
        if (picture) into = std::move(*picture);
        else into.width = into.height = 0;
    });
}

SpriteBox::Before SpriteBox::before_change(const Sprite& s) const {
    return {client_part(s), s.picture.empty() ? 0 : s.picture.width,
            s.picture.empty() ? 0 : s.picture.height};
}

void SpriteBox::end_change(Sprite& s, const Before& before, const std::optional<Rect>& changed) {
    if (s.picture.empty()) {
        s.picture.width = s.picture.height = 0;
        s.picture.pixels.clear();  // keeps the capacity for the next picture
    }
    const bool same_size = !s.picture.empty() && before.width == s.picture.width &&
                           before.height == s.picture.height;
    if (changed && same_size) {
        if (changed->empty()) return;
        const Rect in_client =
            placed_within(static_cast<long long>(s.left) + changed->left,
                          static_cast<long long>(s.top) + changed->top, changed->width(),
                          changed->height(), before.area);
        if (!in_client.empty()) dirty_.push_back(in_client);
        return;
    }
    if (!before.area.empty()) dirty_.push_back(before.area);
    mark(s);
}

std::vector<Rect> SpriteBox::take_dirty_areas() { return std::exchange(dirty_, {}); }

void SpriteBox::compose(const Rect& area, std::uint32_t* out, int stride) const {
    const Rect client{0, 0, surface_.width, surface_.height};
    const Rect part = intersect(area, client);
    if (part.empty()) return;
    copy_rows(surface_, 0, 0, part, area, out, stride);
    for (const Sprite& sprite : sprites_) {
        if (!sprite.shown || sprite.picture.empty()) continue;
        const Rect covered = intersect(client_part(sprite), part);
        if (!covered.empty())
            copy_rows(sprite.picture, sprite.left, sprite.top, covered, area, out, stride);
    }
}

int SpriteBox::client_width() const { return surface_.width; }
int SpriteBox::client_height() const { return surface_.height; }
std::size_t SpriteBox::sprite_count() const { return sprites_.size(); }

const Picture* SpriteBox::sprite_picture(int id) const {
    const Sprite* sprite = find(id);
    return sprite && !sprite->picture.empty() ? &sprite->picture : nullptr;
}

SpriteBox::Sprite* SpriteBox::find(int id) {
    return const_cast<Sprite*>(std::as_const(*this).find(id));
}

const SpriteBox::Sprite* SpriteBox::find(int id) const {
    const auto it = std::find_if(sprites_.begin(), sprites_.end(),
                                 [id](const Sprite& s) { return s.id == id; });
    return it == sprites_.end() ? nullptr : &*it;
}

Rect SpriteBox::client_part(const Sprite& s) const {
    if (s.picture.empty()) return {};
    return placed_within(s.left, s.top, s.picture.width, s.picture.height,
                         Rect{0, 0, surface_.width, surface_.height});
}

void SpriteBox::mark(const Sprite& s) {
    const Rect area = client_part(s);
    if (!area.empty()) dirty_.push_back(area);
}

}  // namespace pawlet
