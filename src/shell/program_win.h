#pragma once
#include <memory>
#include <string>

#include "media/wave_out_player_win.h"
#include "pet/action_engine.h"
#include "shell/engine_host_win.h"
#include "shell/hover_pointer_win.h"
#include "shell/main_window_win.h"
#include "shell/skin_engine_win.h"

namespace pawlet {

// The program: owns the main window, the engine's host and the engine for the process's life,
// binds the window's handlers to them, and keeps the asset folders and the one sprite.
class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up sequence. Returns 0, and only if the message loop ends: the orderly end comes
    // from inside the window's destruction instead.
    int start_program();

private:
    // The window's handlers.
    void prepare_main_window();
    void start_pet();
    void close_button_clicked();
    [[noreturn]] void end_on_destroy();
    void box_pressed(int x, int y, int keys);
    void update_hover_cursor();
    void sound_sync_tick();
    // The exit routine.
    void release_asset_dirs();
    void release_box_pointer();

    std::wstring program_dir_;
    // Both end in a backslash; they live until the exit routine releases them.
    std::wstring animations_dir;
    std::wstring sounds_dir;
    int sprite_id = 0;
    std::unique_ptr<SkinEngine> skin_engine_;  // its library stays loaded until the end
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<HoverPointer> hover_;
    std::unique_ptr<WindowEngineHost> host_;  // both made at the first activation
    std::unique_ptr<ActionEngine> engine_;
    // Opens the wave-out device only when the first sound plays.
    WaveOutPlayer player_;
};

// The process's entry: one Program, started.
int start_program();

// Asks the system to drop the process's whole working set.
void trim_working_set();

// The program directory of the running module, read with the wide API at any length.
std::wstring running_program_dir();

}  // namespace pawlet
