#include "shell/animation_box_win.h"

#include <windowsx.h>

#include "formats/jpeg_decode.h"
#include "shell/keyboard_win.h"
#include "shell/pointer_choice.h"
#include "winkit/window_procedure_win.h"

namespace pawlet {
namespace {
constexpr wchar_t class_name[] = L"PawletAnimationBox";

std::uint32_t button_face_argb() {
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return 0xFF000000u | (std::uint32_t{GetRValue(c)} << 16) | (std::uint32_t{GetGValue(c)} << 8) |
           GetBValue(c);
}

}  // namespace

bool AnimationBox::register_class() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;  // a quick second press arrives as a double click, not a press
        wc.lpfnWndProc = &object_window_procedure<AnimationBox>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = nullptr;  // the main window answers WM_SETCURSOR for its controls
        wc.lpszClassName = class_name;
        return RegisterClassExW(&wc);
    }();
    return atom != 0;
}

namespace {

bool pointer_is_over(HWND window) {
    POINT at;
    return GetCursorPos(&at) && WindowFromPoint(at) == window;
}
}  // namespace

std::unique_ptr<AnimationBox> AnimationBox::create(HWND parent, const RECT& bounds,
                                                   std::span<const std::uint8_t> background_jpeg) {
    if (!register_class()) return nullptr;
    std::unique_ptr<AnimationBox> box(new AnimationBox);
    HWND window = CreateWindowExW(WS_EX_STATICEDGE, class_name, L"", WS_CHILD | WS_TABSTOP,
                                  bounds.left, bounds.top, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top, parent, nullptr,
                                  GetModuleHandleW(nullptr), box.get());
    if (!window) return nullptr;
    RECT client;
    GetClientRect(window, &client);
    if (!box->make_surface(client.right, client.bottom, background_jpeg)) return nullptr;
    box->set_pointer(hand_pointer_setting);
    return box;
}

AnimationBox::~AnimationBox() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

// The background (colour, then the picture at natural size) is made once, with the box: the
// program never resizes it. Each paint composes its area into the off-screen surface.
bool AnimationBox::make_surface(int width, int height,
                                std::span<const std::uint8_t> background_jpeg) {
    const auto background = decode_jpeg(background_jpeg);
    model_ = std::make_unique<SpriteBox>(width, height, button_face_argb(),
                                         background ? &*background : nullptr);
    surface_ = OffscreenSurface::create(width, height);
    return surface_ != nullptr;
}

int AnimationBox::create_sprite(int left, int top, bool shown) {
    const int id = model_->create_sprite(left, top, shown);
    invalidate_marked_areas();
    return id;
}

void AnimationBox::set_sprite_picture(int id, std::span<const std::uint8_t> buffer) {
    // Into the sprite's own buffer: after the first frame no pixel memory is taken per frame, and
    // only the part that differs from the last frame is repainted.
    model_->fill_sprite_picture(
        id, [buffer](Picture& into) { return decode_jpeg_into(buffer, into).as_optional(); });
    invalidate_marked_areas();
}

void AnimationBox::invalidate_marked_areas() {
    for (const Rect& r : model_->take_dirty_areas()) {
        const RECT area{r.left, r.top, r.right, r.bottom};
        InvalidateRect(window_, &area, FALSE);
    }
}

void AnimationBox::set_pointer(std::span<const std::uint8_t> setting) {
    OwnedCursor previous = pointer_.set(setting);
    // Asking the window system again at once, instead of waiting for the mouse to move. Off the
    // box the thread may still hold the previous pointer as its current one (the mouse left the
    // window while it showed); it is replaced before it is destroyed, which Windows asks for.
    if (pointer_is_over(window_) || (previous && GetCursor() == previous.get()))
        SetCursor(pointer() ? pointer() : LoadCursorW(nullptr, IDC_ARROW));
}

void AnimationBox::paint() {
    PaintScope paint(window_);
    const RECT& a = paint.area();
    const Rect area = intersect(Rect{a.left, a.top, a.right, a.bottom},
                                Rect{0, 0, model_->client_width(), model_->client_height()});
    if (area.empty()) return;
    GdiFlush();  // GDI must be done with the DIB section before we write to it
    const int stride = surface_->width();
    model_->compose(area, surface_->pixels() + area.top * stride + area.left, stride);
    BitBlt(paint.dc(), area.left, area.top, area.width(), area.height(), surface_->dc(), area.left,
           area.top, SRCCOPY);
}

LRESULT AnimationBox::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;  // every pixel is painted from the composed surface
    case WM_MOUSEMOVE:
        if (move_handler_) move_handler_();
        return 0;
    case WM_LBUTTONDOWN:
        if (press_handler_) press_handler_(GET_X_LPARAM(l), GET_Y_LPARAM(l), held_modifiers().bits());
        SetFocus(window_);
        return 0;
    }
    return DefWindowProcW(window_, message, w, l);
}

}  // namespace pawlet
