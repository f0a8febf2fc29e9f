#include "skin_draw_win.h"

#include "canvas_win.h"

namespace skin_engine {
namespace {
using pawlet::ButtonState;
using pawlet::Rect;

COLORREF colour_ref(pawlet::SkinColour c) { return RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF); }

pawlet::SkinColour halfway(pawlet::SkinColour a, pawlet::SkinColour b) {
    return ((a >> 1) & 0x7F7F7F) + ((b >> 1) & 0x7F7F7F);
}

Rect rect_of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A window's text, on the heap for as long as the drawing takes.
class WindowText {
public:
    explicit WindowText(HWND window) {
        const int length = GetWindowTextLengthW(window);
        if (length <= 0) return;
        text_ = HeapBytes(static_cast<SIZE_T>(length + 1) * sizeof(wchar_t));
        if (!text_.data()) return;
        length_ = GetWindowTextW(window, chars(), length + 1);
    }
    wchar_t* chars() const { return reinterpret_cast<wchar_t*>(text_.data()); }
    int length() const { return length_; }

private:
    HeapBytes text_;
    int length_ = 0;
};

bool cues_hidden(HWND window, UINT flag) {
    return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & flag) != 0;
}

// Text in `area` of the canvas, vertically centred when asked (also when it wraps).
void draw_text(HDC dc, const WindowText& text, RECT area, UINT format, bool centre_vertically) {
    if (text.length() <= 0) return;
    if (centre_vertically && (format & DT_WORDBREAK)) {
        RECT measured = area;
        DrawTextW(dc, text.chars(), text.length(), &measured, format | DT_CALCRECT);
        const LONG offset = ((area.bottom - area.top) - (measured.bottom - measured.top)) / 2;
        if (offset > 0) area.top += offset;
    } else if (centre_vertically) {
        format |= DT_SINGLELINE | DT_VCENTER;
    }
    DrawTextW(dc, text.chars(), text.length(), &area, format);
}

ButtonState button_state(HWND window, bool hot) {
    const LRESULT state = SendMessageW(window, BM_GETSTATE, 0, 0);
    if (state & BST_PUSHED) return pawlet::button_pressed;
    if (hot) return pawlet::button_hot;
    if (GetFocus() == window) return pawlet::button_focused;
    if ((GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return pawlet::button_default;
    return pawlet::button_normal;
}

// Where the window lies in its parent's client area, and that area's size: the face behind a
// control lines up with the face of the window around it.
Rect face_behind(HWND window, const RECT& client) {
    HWND parent = GetParent(window);
    RECT parent_client{};
    POINT origin{0, 0};
    if (parent && GetClientRect(parent, &parent_client)) MapWindowPoints(window, parent, &origin, 1);
    else parent_client = client;
    return {-origin.x, -origin.y, parent_client.right - origin.x, parent_client.bottom - origin.y};
}
}  // namespace

void draw_face(HWND window, HDC dc, Engine& engine) {
    RECT client, clip;
    GetClientRect(window, &client);
    if (GetClipBox(dc, &clip) == ERROR || IsRectEmpty(&clip)) clip = client;
    Canvas canvas(dc, clip.right - clip.left, clip.bottom - clip.top);
    if (!canvas.ready()) return;
    const Rect area{client.left - clip.left, client.top - clip.top, client.right - clip.left, client.bottom - clip.top};
    pawlet::paint_window_face(canvas.pixels(), area, engine.skin(), engine.aero());
    canvas.copy_to(dc, clip.left, clip.top);
}

void draw_push_button(HWND window, HDC dc, Engine& engine, bool hot) {
    RECT client;
    GetClientRect(window, &client);
    Canvas canvas(dc, client.right, client.bottom);
    if (!canvas.ready()) return;
    const pawlet::Skin& skin = engine.skin();
    const ButtonState state = button_state(window, hot);
    const pawlet::PixelView view = canvas.pixels();
    const Rect body = rect_of(client);
    pawlet::paint_window_face(view, face_behind(window, client), skin, engine.aero());
    pawlet::paint_button(view, body, skin, state, engine.aero());
    const bool focused = GetFocus() == window;
    if (focused && !cues_hidden(window, UISF_HIDEFOCUS)) pawlet::paint_focus_ring(view, body, skin);

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    UINT format = DT_CENTER;
    if ((style & BS_CENTER) == BS_LEFT) format = DT_LEFT;
    else if ((style & BS_CENTER) == BS_RIGHT) format = DT_RIGHT;
    if (style & BS_MULTILINE) format |= DT_WORDBREAK;
    if (cues_hidden(window, UISF_HIDEACCEL)) format |= DT_HIDEPREFIX;
    pawlet::SkinColour text_colour = skin.button[state].text;
    if (!IsWindowEnabled(window)) text_colour = halfway(text_colour, skin.button[state].fill.a);
    const Rect caption = pawlet::button_caption_area(body, skin, state);
    const WindowText text(window);
    Selected font(canvas.dc(), engine.button_font());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), colour_ref(text_colour));
    draw_text(canvas.dc(), text, RECT{caption.left, caption.top, caption.right, caption.bottom}, format, true);
    canvas.copy_to(dc, 0, 0);
}

void draw_label(HWND window, HDC dc, Engine& engine) {
    RECT client;
    GetClientRect(window, &client);
    Canvas canvas(dc, client.right, client.bottom);
    if (!canvas.ready()) return;
    const pawlet::Skin& skin = engine.skin();
    pawlet::paint_label_back(canvas.pixels(), rect_of(client), skin);

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR type = style & SS_TYPEMASK;
    UINT format = DT_EXPANDTABS;
    if (type == SS_CENTER) format |= DT_CENTER | DT_WORDBREAK;
    else if (type == SS_RIGHT) format |= DT_RIGHT | DT_WORDBREAK;
    else if (type == SS_LEFT) format |= DT_WORDBREAK;
    else if (type == SS_SIMPLE) format |= DT_SINGLELINE;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    pawlet::SkinColour text_colour = skin.label_text;
    if (!IsWindowEnabled(window)) text_colour = halfway(text_colour, skin.label_back.a);
    const int pad = skin.label_padding;
    const WindowText text(window);
    Selected font(canvas.dc(), engine.label_font());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), colour_ref(text_colour));
    draw_text(canvas.dc(), text, RECT{pad, pad, client.right - pad, client.bottom}, format, false);
    canvas.copy_to(dc, 0, 0);
}

void draw_border(HWND window, Engine& engine) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const int left = client.left - outer.left, top = client.top - outer.top;
    const int right = outer.right - client.right, bottom = outer.bottom - client.bottom;
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    // DC_BRUSH is a stock object: nothing to make or delete per border.
    Selected brush(dc, GetStockObject(DC_BRUSH));
    const pawlet::Skin& skin = engine.skin();
    SetDCBrushColor(dc, colour_ref(skin.edge_dark));  // sunken: dark above and left
    PatBlt(dc, 0, 0, width, top, PATCOPY);
    PatBlt(dc, 0, 0, left, height, PATCOPY);
    SetDCBrushColor(dc, colour_ref(skin.edge_light));
    PatBlt(dc, 0, height - bottom, width, bottom, PATCOPY);
    PatBlt(dc, width - right, 0, right, height, PATCOPY);
    ReleaseDC(window, dc);
}

}  // namespace skin_engine
