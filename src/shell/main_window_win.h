#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "shell/animation_box_win.h"
#include "shell/layout.h"
#include "winkit/handles_win.h"
#include "winkit/window_timer_win.h"

namespace pawlet {

// The handlers the layout binds to the window's and the controls' events.
struct MainWindowHandlers {
    std::function<void()> first_activated;
    std::function<void()> close_clicked;
    std::function<void()> will_be_destroyed;
    std::function<void()> hover_tick;
    std::function<void()> sound_sync_tick;
    AnimationBox::PressHandler box_pressed;
    AnimationBox::MoveHandler box_pointer_moved;
};

// The frameless main window with the controls of main_window_layout.
class MainWindow {
public:
    // Creates the window hidden, centred for the layout size, with its controls; those marked
    // shown are shown inside the hidden window. Null when the window cannot be made.
    static std::unique_ptr<MainWindow> load(MainWindowHandlers handlers);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND window() const { return window_; }
    HWND control(ControlIndex index) const { return controls_[index]; }
    AnimationBox& box() { return *box_; }
    WindowTimer& hover_timer() { return *hover_timer_; }
    WindowTimer& sound_sync_timer() { return *sound_sync_timer_; }

    void show();  // the ordinary, activating show
    bool visible() const { return IsWindow(window_) && IsWindowVisible(window_); }
    // Outer size in pixels, held to 0..32627; the corner and the other dimension stay.
    void set_outer_width(int width);
    void set_outer_height(int height);
    // Queues the window's destruction; it happens at the next message dispatch.
    void request_destruction();

private:
    MainWindow() = default;
    template <typename Owner>
    friend LRESULT CALLBACK object_window_procedure(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND window) { window_ = window; }
    bool ready() const { return true; }
    static bool filter_keys(void* context, MSG& message);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    bool create_controls();
    void on_activate(WPARAM w);
    void on_first_activated();
    bool on_set_cursor(HWND over, UINT hit_test);
    LRESULT on_control_colour(HDC dc);
    void on_command(WPARAM w, LPARAM l);
    void on_timer(UINT_PTR id);
    bool on_key(UINT virtual_key);
    void move_focus(bool backwards);
    void set_outer_size(int width, int height);

    HWND window_ = nullptr;
    HWND controls_[main_window_layout.size()] = {};
    std::unique_ptr<AnimationBox> box_;
    std::unique_ptr<WindowTimer> hover_timer_;
    std::unique_ptr<WindowTimer> sound_sync_timer_;
    OwnedIcon large_icon_;
    OwnedIcon small_icon_;
    MainWindowHandlers handlers_;
    bool first_activation_seen_ = false;
};

}  // namespace pawlet
