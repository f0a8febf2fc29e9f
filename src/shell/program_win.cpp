#include "shell/program_win.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "input/touch_regions.h"
#include "pet/action_catalogue.h"
#include "pet/sound_cue_win.h"
#include "shell/embedded_cursors_win.h"
#include "shell/maker_texts.h"
#include "shell/process_end_win.h"
#include "shell/program_dir.h"
#include "winkit/message_pump_win.h"
#include "winkit/resource_counts_win.h"

namespace pawlet {
namespace {
// The end waits this long at most for the sound device to be closed. Closing takes a few ms;
// left open, Wine's audio threads can crash the process's exit (seen about once in a hundred
// ends while a sound played).
constexpr DWORD device_close_wait_ms = 250;
}  // namespace

int Program::start_program() {
    program_dir_ = running_program_dir();
    if (const std::wstring current = current_directory_for(program_dir_); !current.empty())
        SetCurrentDirectoryW(current.c_str());
    set_exit_routine([this] {
        release_asset_dirs();
        release_box_pointer();
    });
    skin_engine_ = std::make_unique<SkinEngine>(program_dir_);
    set_library_release([this] { skin_engine_->release_library(); });

    MainWindowHandlers handlers;
    handlers.first_activated = [this] { start_pet(); };
    handlers.close_clicked = [this] { close_button_clicked(); };
    handlers.will_be_destroyed = [this] { end_on_destroy(); };
    handlers.hover_tick = [this] { update_hover_cursor(); };
    handlers.sound_sync_tick = [this] { sound_sync_tick(); };
    handlers.box_pressed = [this](int x, int y, int keys) { box_pressed(x, y, keys); };
    handlers.box_pointer_moved = [this] {
        if (hover_) hover_->pointer_moved_over_box();
    };
    main_ = MainWindow::load(std::move(handlers));
    if (!main_) fatal_error(L"Pawlet could not create its main window.");

    prepare_main_window();
    main_->show();
    run_message_loop();
    return 0;
}

void Program::prepare_main_window() {
    animations_dir = asset_dir(program_dir_, L"animations");
    sounds_dir = asset_dir(program_dir_, L"sounds");
    sprite_id = main_->box().create_sprite(0, 0);
    hover_ = std::make_unique<HoverPointer>(main_->window(), main_->box(), embedded_cursor_files());
    main_->set_outer_height(run_window_height);
    main_->set_outer_width(run_window_width);
    skin_engine_->apply_embedded_skin(skin_to_apply);
    skin_engine_->enable_skin_aero();
    trim_working_set();
}

void Program::start_pet() {
    host_ = std::make_unique<WindowEngineHost>(*main_, animations_dir, sprite_id);
    engine_ = std::make_unique<ActionEngine>(*host_);
    engine_->show_frame_file(idle_picture_names[0]);
    engine_->run_action_loop(idle_action);
}

void Program::close_button_clicked() {
    main_->request_destruction();
    ShellExecuteW(nullptr, L"open", maker_web_address, nullptr, nullptr, SW_SHOWNORMAL);
}

void Program::end_on_destroy() {
    player_.stop(device_close_wait_ms);
    end_program(0);
}

// Presses count once the pet runs. Each action that starts reports what the program has made and
// freed so far on the debug output, so a long run can be watched for leaks from outside.
void Program::box_pressed(int x, int y, int keys) {
    if (!engine_) return;
    const bool was_busy = engine_->action_busy();
    dispatch_touch(*engine_, x, y, keys, GetTickCount());
    if (!was_busy && engine_->action_busy()) report_resource_counts(engine_->current_action());
}

// Ticks come during actions too: the cursors follow the regions whatever the engine is doing.
void Program::update_hover_cursor() {
    if (hover_) hover_->update();
}

void Program::sound_sync_tick() {
    const int action = engine_ ? engine_->current_action() : idle_action;
    play_sound_cue(main_->sound_sync_timer(), action, sounds_dir, player_);
}

void Program::release_asset_dirs() {
    std::wstring().swap(animations_dir);
    std::wstring().swap(sounds_dir);
}

// The process ends from inside the window's destruction without unwinding, so the box would
// never release the pointer it made; the arrow it falls back to is the system's.
void Program::release_box_pointer() {
    if (main_) main_->box().set_pointer({});
}

int start_program() {
    Program program;
    return program.start_program();
}

void trim_working_set() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

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

}  // namespace pawlet
