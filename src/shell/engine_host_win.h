#pragma once
#include "pet/engine_host.h"
#include "shell/main_window_win.h"

namespace pawlet {

// The action engine's host on the real main window.
class WindowEngineHost final : public EngineHost {
public:
    explicit WindowEngineHost(MainWindow& main) : main_(main) {}

    bool window_visible() override;
    void wait(int milliseconds, bool (*return_early)(const void*), const void* context) override;
    void show_picture_file(std::string_view relative_name) override;
    void set_sound_timer_period(int milliseconds) override;

private:
    MainWindow& main_;
};

}  // namespace pawlet
