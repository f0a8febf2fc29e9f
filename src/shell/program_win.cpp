#include "shell/program_win.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "input/touch_regions.h"
#include "pet/action_catalogue.h"
#include "pet/action_engine.h"
#include "shell/engine_host_win.h"
#include "shell/main_window_win.h"
#include "shell/maker_texts.h"
#include "shell/program_dir.h"
#include "winkit/message_pump_win.h"

namespace pawlet {

std::wstring animations_dir;
std::wstring sounds_dir;
int sprite_id = 0;

namespace {
std::wstring g_program_dir;
void (*g_exit_routine)() = nullptr;

// These live until the process ends: the program never returns through them, it ends from
// inside the window's destruction.
MainWindow* g_main = nullptr;
ActionEngine* g_engine = nullptr;

// The sound-sync timer is a one-shot: its tick stops it, so each armed cue fires once. The
// program has no wave player yet, so the cue plays nothing.
void play_sound_cue() { g_main->sound_sync_timer().set_period(0); }

void on_box_pressed(int x, int y, int keys) {
    if (g_engine) dispatch_touch(*g_engine, x, y, keys, GetTickCount());
}

void make_current_directory(const std::wstring& dir) {
    if (dir.empty()) return;
    // "C:" alone would mean the drive's current directory, not its root.
    SetCurrentDirectoryW(dir.back() == L':' ? (dir + L"\\").c_str() : dir.c_str());
}
}  // namespace

std::wstring running_program_dir() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) return program_dir_from_module_path(std::wstring_view(path.data(), n));
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

int start_program() {
    g_program_dir = running_program_dir();
    make_current_directory(g_program_dir);
    set_exit_routine(&release_asset_dirs);

    MainWindowHandlers handlers;
    handlers.first_activated = &start_pet;
    handlers.close_clicked = &close_button_clicked;
    handlers.will_be_destroyed = &end_on_destroy;
    handlers.sound_sync_tick = &play_sound_cue;
    handlers.box_pressed = &on_box_pressed;
    std::unique_ptr<MainWindow> main = MainWindow::load(std::move(handlers));
    if (!main) fatal_error(L"Pawlet could not create its main window.");
    g_main = main.release();

    prepare_main_window();
    g_main->show();

    int exit_code = 0;
    while (dispatch_next_message(exit_code)) {
    }
    return 0;
}

void prepare_main_window() {
    animations_dir = asset_dir(g_program_dir, L"animations");
    sounds_dir = asset_dir(g_program_dir, L"sounds");
    sprite_id = g_main->box().create_sprite(0, 0);
    g_main->set_outer_height(run_window_height);
    g_main->set_outer_width(run_window_width);
    trim_working_set();
}

void start_pet() {
    static WindowEngineHost host(*g_main);
    static ActionEngine engine(host);
    g_engine = &engine;
    engine.show_frame_file(idle_picture_names[0]);
    engine.run_action_loop(idle_action);
}

void close_button_clicked() {
    g_main->request_destruction();
    ShellExecuteW(nullptr, L"open", maker_web_address, nullptr, nullptr, SW_SHOWNORMAL);
}

void end_on_destroy() { end_program(0); }

void set_exit_routine(void (*routine)()) { g_exit_routine = routine; }

void end_program(int exit_code) {
    if (void (*routine)() = g_exit_routine) {
        g_exit_routine = nullptr;
        routine();
    }
    ExitProcess(static_cast<UINT>(exit_code));
}

void release_asset_dirs() {
    std::wstring().swap(animations_dir);
    std::wstring().swap(sounds_dir);
}

void trim_working_set() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void fatal_error(std::wstring_view message) {
    g_exit_routine = nullptr;
    const std::wstring text(message);
    MessageBoxW(nullptr, text.c_str(), L"Pawlet", MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace pawlet
