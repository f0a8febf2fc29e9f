#include "shell/engine_host_win.h"

#include "pet/pump_wait_win.h"
#include "winkit/file_read_win.h"

namespace pawlet {

bool WindowEngineHost::window_visible() { return main_.visible(); }

void WindowEngineHost::wait(int milliseconds, bool (*return_early)(const void*), const void* context) {
    pump_wait(milliseconds, return_early, context);
}

void WindowEngineHost::show_picture_file(std::string_view relative_name) {
    // The buffer is released as soon as the sprite has decoded it.
    const std::vector<std::uint8_t> bytes = read_whole_file(animations_dir_, relative_name);
    main_.box().set_sprite_picture(sprite_id_, bytes);
}

void WindowEngineHost::set_sound_timer_period(int milliseconds) {
    main_.sound_sync_timer().set_period(milliseconds);
}

}  // namespace pawlet
