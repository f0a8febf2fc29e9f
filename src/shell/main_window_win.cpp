#include "shell/main_window_win.h"

#include <algorithm>

#include "assets/resource_ids.h"
#include "shell/keyboard_win.h"
#include "shell/maker_texts.h"
#include "winkit/message_pump_win.h"
#include "winkit/resources_win.h"
#include "winkit/window_procedure_win.h"

namespace pawlet {
namespace {
constexpr wchar_t class_name[] = L"PawletMainWindow";
constexpr UINT msg_first_activated = WM_APP + 1;
constexpr UINT msg_destroy_request = WM_APP + 2;
constexpr int max_outer_extent = 32627;

OwnedIcon load_icon(int size) {
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, 0)));
}

HWND create_child(const wchar_t* window_class, const wchar_t* text, DWORD style,
                  const ControlLayout& layout, HWND parent, int id) {
    const Rect& b = layout.bounds;
    HWND child = CreateWindowExW(0, window_class, text, WS_CHILD | style, b.left, b.top,
                                 b.width(), b.height(), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}
}  // namespace

std::unique_ptr<MainWindow> MainWindow::load(MainWindowHandlers handlers) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    std::unique_ptr<MainWindow> main(new MainWindow);
    main->handlers_ = std::move(handlers);
    main->large_icon_ = load_icon(32);
    main->small_icon_ = load_icon(16);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &object_window_procedure<MainWindow>;
    wc.hInstance = instance;
    // The icons go to the window (WM_SETICON), not the class: the class outlives each window,
    // and the window owns its icon handles.
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = class_name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    const int left = centred_origin(GetSystemMetrics(SM_CXSCREEN), layout_window_width);
    const int top = centred_origin(GetSystemMetrics(SM_CYSCREEN), layout_window_height);
    // WS_POPUP: no frame and no caption, so the outer rectangle is the client area.
    // WS_SYSMENU keeps the system's close command on the taskbar button.
    HWND window = CreateWindowExW(WS_EX_APPWINDOW, class_name, window_title,
                                  WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, left, top,
                                  layout_window_width, layout_window_height, nullptr, nullptr,
                                  instance, main.get());
    if (!window || !main->box_) return nullptr;
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(main->large_icon_.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(main->small_icon_.get()));
    set_message_filter({&MainWindow::filter_keys, main.get()});
    return main;
}

MainWindow::~MainWindow() {
    if (message_filter().context == this) set_message_filter({});
    hover_timer_.reset();
    sound_sync_timer_.reset();
    box_.reset();
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool MainWindow::create_controls() {
    for (std::size_t i = 0; i < main_window_layout.size(); ++i) {
        const ControlLayout& layout = main_window_layout[i];
        const int id = static_cast<int>(i) + 1;
        switch (layout.kind) {
        case ControlKind::push_button:
            controls_[i] = create_child(L"BUTTON", close_caption,
                                        BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP,
                                        layout, window_, id);
            break;
        case ControlKind::label:
            controls_[i] = create_child(L"STATIC", credits_text, SS_LEFT | SS_NOPREFIX, layout, window_, id);
            break;
        case ControlKind::timer: {
            auto timer = std::make_unique<WindowTimer>(window_, static_cast<UINT_PTR>(id));
            timer->set_period(layout.timer_period_ms);
            (i == pawlet::hover_timer ? hover_timer_ : sound_sync_timer_) = std::move(timer);
            continue;
        }
        case ControlKind::sprite_template:
            continue;  // settings only: every one of them is at its default
        case ControlKind::animation_box: {
            const Rect& b = layout.bounds;
            box_ = AnimationBox::create(window_, RECT{b.left, b.top, b.right, b.bottom},
                                        rcdata_resource(PAWLET_RES_BACKGROUND_JPEG));
            if (!box_) return false;
            box_->on_press(handlers_.box_pressed);
            box_->on_pointer_move(handlers_.box_pointer_moved);
            controls_[i] = box_->window();
            break;
        }
        }
        if (!controls_[i]) return false;
    }
    for (std::size_t i = 0; i < main_window_layout.size(); ++i)
        if (main_window_layout[i].shown && controls_[i]) ShowWindow(controls_[i], SW_SHOW);
    return true;
}

void MainWindow::show() { ShowWindow(window_, SW_SHOW); }

void MainWindow::set_outer_size(int width, int height) {
    width = std::clamp(width, 0, max_outer_extent);
    height = std::clamp(height, 0, max_outer_extent);
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::set_outer_width(int width) {
    RECT r;
    GetWindowRect(window_, &r);
    set_outer_size(width, r.bottom - r.top);
}

void MainWindow::set_outer_height(int height) {
    RECT r;
    GetWindowRect(window_, &r);
    set_outer_size(r.right - r.left, height);
}

void MainWindow::request_destruction() { PostMessageW(window_, msg_destroy_request, 0, 0); }

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_CREATE: return create_controls() ? 0 : -1;
    case WM_ACTIVATE: on_activate(w); return 0;
    case WM_SETFOCUS: SetFocus(controls_[initial_focus_control()]); return 0;
    case WM_SETCURSOR: return on_set_cursor(reinterpret_cast<HWND>(w), LOWORD(l)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC: return on_control_colour(reinterpret_cast<HDC>(w));
    case WM_COMMAND: on_command(w, l); return 0;
    case WM_TIMER: on_timer(w); return 0;
    case WM_DESTROY: if (handlers_.will_be_destroyed) handlers_.will_be_destroyed(); return 0;
    case msg_first_activated: on_first_activated(); return 0;
    case msg_destroy_request: DestroyWindow(window_); return 0;
    }
    return DefWindowProcW(window_, message, w, l);
}

void MainWindow::on_activate(WPARAM w) {
    DefWindowProcW(window_, WM_ACTIVATE, w, 0);
    if (LOWORD(w) == WA_INACTIVE || first_activation_seen_) return;
    first_activation_seen_ = true;
    // The pet takes over the thread for good: let the activation finish first.
    PostMessageW(window_, msg_first_activated, 0, 0);
}

void MainWindow::on_first_activated() {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (handlers_.first_activated) handlers_.first_activated();
}

// The window answers for all its controls: a control's own pointer where it has one, else the arrow.
bool MainWindow::on_set_cursor(HWND over, UINT hit_test) {
    if (hit_test != HTCLIENT) return false;
    HCURSOR own = (box_ && over == box_->window()) ? box_->pointer() : nullptr;
    SetCursor(own ? own : LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

LRESULT MainWindow::on_control_colour(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::on_command(WPARAM w, LPARAM l) {
    if (HIWORD(w) == BN_CLICKED && reinterpret_cast<HWND>(l) == controls_[close_button] &&
        handlers_.close_clicked)
        handlers_.close_clicked();
}

void MainWindow::on_timer(UINT_PTR id) {
    if (hover_timer_ && id == hover_timer_->id() && handlers_.hover_tick) handlers_.hover_tick();
    if (sound_sync_timer_ && id == sound_sync_timer_->id() && handlers_.sound_sync_tick)
        handlers_.sound_sync_tick();
}

bool MainWindow::filter_keys(void* context, MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    auto* self = static_cast<MainWindow*>(context);
    if (GetActiveWindow() != self->window_) return false;
    return self->on_key(static_cast<UINT>(message.wParam));
}

bool MainWindow::on_key(UINT virtual_key) {
    switch (key_command(virtual_key, held_modifiers())) {
    case KeyCommand::close_window: SendMessageW(window_, WM_CLOSE, 0, 0); return true;
    case KeyCommand::focus_next: move_focus(false); return true;
    case KeyCommand::focus_previous: move_focus(true); return true;
    case KeyCommand::none: return false;
    }
    return false;
}

void MainWindow::move_focus(bool backwards) {
    HWND focused = GetFocus();
    int current = -1;
    for (std::size_t i = 0; i < main_window_layout.size(); ++i)
        if (controls_[i] && controls_[i] == focused) current = static_cast<int>(i);
    const int next = next_tab_stop(current, backwards);
    if (next < 0) return;
    // Keyboard navigation shows the focus rectangle from now on, as in a dialog.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(controls_[next]);
}

}  // namespace pawlet
