#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "media/sprite_box.h"
#include "shell/pointer_win.h"
#include "winkit/offscreen_surface_win.h"

namespace pawlet {

// The animation box: a child window with a one-pixel static edge that shows the SpriteBox,
// composing each marked area off-screen and copying it to the screen in one BitBlt.
class AnimationBox {
public:
    // Left-button press in client coordinates; keys: 1 Ctrl, 2 Shift, 4 Alt.
    using PressHandler = std::function<void(int x, int y, int keys)>;
    // The system pointer moved over the box's client area.
    using MoveHandler = std::function<void()>;

    // Creates the box hidden as a child of `parent`; null when the window can't be made.
    static std::unique_ptr<AnimationBox> create(HWND parent, const RECT& bounds,
                                                std::span<const std::uint8_t> background_jpeg);
    ~AnimationBox();
    AnimationBox(const AnimationBox&) = delete;
    AnimationBox& operator=(const AnimationBox&) = delete;

    HWND window() const { return window_; }

    int create_sprite(int left, int top, bool shown = true);
    // Decodes `buffer` into the sprite's picture and marks areas; nothing paints until WM_PAINT.
    void set_sprite_picture(int id, std::span<const std::uint8_t> buffer);
    const SpriteBox& sprites() const { return *model_; }

    // The box's pointer setting; the new pointer shows at once when the mouse is over the box.
    void set_pointer(std::span<const std::uint8_t> setting);
    HCURSOR pointer() const { return pointer_.cursor(); }

    void on_press(PressHandler handler) { press_handler_ = std::move(handler); }
    void on_pointer_move(MoveHandler handler) { move_handler_ = std::move(handler); }

private:
    AnimationBox() = default;
    static bool register_class();
    template <typename Owner>
    friend LRESULT CALLBACK object_window_procedure(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND window) { window_ = window; }
    bool ready() const { return model_ && surface_; }
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void paint();
    void invalidate_marked_areas();
    bool make_surface(int width, int height, std::span<const std::uint8_t> background_jpeg);

    HWND window_ = nullptr;
    std::unique_ptr<SpriteBox> model_;
    std::unique_ptr<OffscreenSurface> surface_;
    PointerSetting pointer_;
    PressHandler press_handler_;
    MoveHandler move_handler_;
};

}  // namespace pawlet
