#pragma once
#include <string>

#include "pet/engine_host.h"
#include "shell/main_window_win.h"

namespace pawlet {

// The action engine's host on the real main window: its frames go to one sprite of the
// animation box, read from below the animations folder.
class WindowEngineHost final : public EngineHost {
public:
    WindowEngineHost(MainWindow& main, const std::wstring& animations_dir, int sprite_id)
        : main_(main), animations_dir_(animations_dir), sprite_id_(sprite_id) {}

    bool window_visible() override;
    void wait(int milliseconds, bool (*return_early)(const void*), const void* context) override;
    void show_picture_file(std::string_view relative_name) override;
    void set_sound_timer_period(int milliseconds) override;

private:
    MainWindow& main_;
    const std::wstring& animations_dir_;  // the program's; it outlives the host
    int sprite_id_;
};

}  // namespace pawlet
