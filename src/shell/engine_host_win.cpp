#include "shell/engine_host_win.h"

#include "pet/pump_wait_win.h"
#include "winkit/file_read_win.h"

namespace pawlet {
namespace {
// A frame of the 320 x 480 box is tens of kilobytes; a bigger file is not one of ours, and is
// not read: a gigabyte named .jpg would otherwise be read whole into a 32-bit process.
constexpr std::int64_t largest_frame_file = std::int64_t{16} << 20;
}  // namespace

bool WindowEngineHost::window_visible() { return main_.visible(); }

void WindowEngineHost::wait(int milliseconds, bool (*return_early)(const void*), const void* context) {
    pump_wait(milliseconds, return_early, context);
}

void WindowEngineHost::show_picture_file(std::string_view relative_name) {
    // The buffer is released as soon as the sprite has decoded it.
    const std::vector<std::uint8_t> bytes = read_whole_file(animations_dir_, relative_name, largest_frame_file);
    main_.box().set_sprite_picture(sprite_id_, bytes);
}

void WindowEngineHost::set_sound_timer_period(int milliseconds) {
    main_.sound_sync_timer().set_period(milliseconds);
}

}  // namespace pawlet
