#pragma once
#include <string_view>

namespace pawlet {

// What the action engine needs from the window system. The Win32 program implements it on the
// main window; the unit tests implement it on a virtual clock.
class EngineHost {
public:
    virtual ~EngineHost() = default;

    // True while the main window exists and is shown (a minimised window counts as shown).
    virtual bool window_visible() = 0;

    // Waits `milliseconds` while dispatching the window's messages. When `return_early` is set,
    // the wait ends as soon as a dispatched message has made return_early() true.
    virtual void wait(int milliseconds, bool (*return_early)(const void* context),
                      const void* context) = 0;

    // Reads the file at animations_dir + relative_name and makes it the sprite's picture
    // (an unreadable or undecodable file leaves the sprite without a picture).
    virtual void show_picture_file(std::string_view relative_name) = 0;

    // Writes the period of the sound-sync timer.
    virtual void set_sound_timer_period(int milliseconds) = 0;
};

}  // namespace pawlet
