#include "pack_pictures.h"

#include <algorithm>

#include "formats/jpeg_decode.h"
#include "media/sprite_box.h"
#include "shell/layout.h"

namespace pawlet::preview {
namespace {

// The box's one-pixel sunken edge takes a pixel on each side; the window is narrower than the
// box and shows its client area from column 0 to the window's last column but one.
constexpr int box_edge = 1;
constexpr std::uint32_t button_face = 0xFFF0F0F0;

int client_width() { return main_window_layout[animation_box].bounds.width() - 2 * box_edge; }
int client_height() { return main_window_layout[animation_box].bounds.height() - 2 * box_edge; }

}  // namespace

std::optional<Picture> read_jpeg_file(const std::filesystem::path& path) {
    const auto bytes = pack::read_pack_file(path);
    if (!bytes) return std::nullopt;
    return decode_jpeg(*bytes).as_optional();
}

PackPictures::PackPictures(const std::filesystem::path& pack, std::optional<Picture> background)
    : folder_(pack), background_(std::move(background)) {}

int PackPictures::width() const { return std::min(client_width(), run_window_width - box_edge); }
int PackPictures::height() const { return client_height(); }

const PackPictures::Entry& PackPictures::entry(const std::string& frame_name) {
    if (auto it = cache_.find(frame_name); it != cache_.end()) return it->second;
    std::optional<Picture> frame;
    if (const auto path = folder_.find(pack::frame_pack_name(frame_name)))
        frame = read_jpeg_file(*path);
    SpriteBox box(client_width(), client_height(), button_face, background_ ? &*background_ : nullptr);
    const int sprite = box.create_sprite(0, 0);
    const bool readable = frame.has_value();
    box.set_sprite_picture(sprite, std::move(frame));
    Entry made{Picture{width(), height(), {}}, readable};
    made.screen.pixels.resize(static_cast<std::size_t>(width()) * height());
    box.compose(Rect{0, 0, width(), height()}, made.screen.pixels.data(), width());
    return cache_.emplace(frame_name, std::move(made)).first->second;
}

void PackPictures::forget() { cache_.clear(); }

const Picture& PackPictures::screen(const std::string& frame_name) { return entry(frame_name).screen; }
bool PackPictures::readable(const std::string& frame_name) { return entry(frame_name).readable; }

}  // namespace pawlet::preview
