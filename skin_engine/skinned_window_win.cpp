#include "skinned_window_win.h"

#include "engine_win.h"
#include "skin_draw_win.h"

namespace skin_engine {
namespace {

bool class_is(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    return GetClassNameW(window, found, 64) > 0 && lstrcmpiW(found, name) == 0;
}

// Top-level windows of the system's own kinds (menus, tooltips, input-method windows) and
// windows without a class name of their own are left alone; dialogs are skinned.
bool system_top_level(HWND window) {
    wchar_t found[64] = {};
    if (GetClassNameW(window, found, 64) <= 0) return true;
    if (found[0] == L'#') return lstrcmpW(found, L"#32770") != 0;
    return lstrcmpiW(found, L"tooltips_class32") == 0 || lstrcmpiW(found, L"IME") == 0 ||
           lstrcmpiW(found, L"MSCTFIME UI") == 0;
}

// Messages after which a button may have drawn itself straight to the screen: the engine
// draws it again at once, so the system's look never stays.
bool button_may_have_drawn(UINT message) {
    switch (message) {
    case BM_SETSTATE: case BM_SETSTYLE: case BM_SETCHECK: case BM_CLICK:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_SETTEXT:
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP: case WM_CAPTURECHANGED:
    case WM_KEYDOWN: case WM_KEYUP: case WM_UPDATEUISTATE: case WM_CHANGEUISTATE:
        return true;
    }
    return false;
}

void draw_now(HWND window) {
    Engine* engine = Engine::current();
    SkinnedWindow* record = engine ? engine->find(window) : nullptr;
    if (!record || !IsWindowVisible(window)) return;
    HDC dc = GetDC(window);
    if (!dc) return;
    draw_push_button(window, dc, *engine, record->hot);
    ReleaseDC(window, dc);
}

LRESULT paint_with(HWND window, WPARAM w, void (*draw)(HWND, HDC, Engine&, bool), bool hot, Engine& engine) {
    if (w) {  // WM_PRINTCLIENT, or a WM_PAINT given a DC
        draw(window, reinterpret_cast<HDC>(w), engine, hot);
        return 0;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc) draw(window, dc, engine, hot);
    EndPaint(window, &paint);
    return 0;
}

void draw_button(HWND window, HDC dc, Engine& engine, bool hot) { draw_push_button(window, dc, engine, hot); }
void draw_text_label(HWND window, HDC dc, Engine& engine, bool) { draw_label(window, dc, engine); }

LRESULT top_level_message(SkinnedWindow& record, Engine& engine, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_ERASEBKGND:
        draw_face(record.window, reinterpret_cast<HDC>(w), engine);
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
        const pawlet::SkinColour text = engine.skin().label_text, back = engine.skin().label_back.a;
        SetTextColor(reinterpret_cast<HDC>(w), RGB(text >> 16 & 0xFF, text >> 8 & 0xFF, text & 0xFF));
        SetBkColor(reinterpret_cast<HDC>(w), RGB(back >> 16 & 0xFF, back >> 8 & 0xFF, back & 0xFF));
        return reinterpret_cast<LRESULT>(engine.control_brush());
    }
    }
    return CallWindowProcW(record.original, record.window, message, w, l);
}

LRESULT button_message(SkinnedWindow& record, Engine& engine, UINT message, WPARAM w, LPARAM l) {
    HWND window = record.window;
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_with(window, w, draw_button, record.hot, engine);
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (!record.hot) {
            record.hot = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            draw_now(window);
        }
        break;
    case WM_MOUSELEAVE:
        record.hot = false;
        draw_now(window);
        break;
    }
    const WNDPROC original = record.original;
    const LRESULT result = CallWindowProcW(original, window, message, w, l);
    // The record may be gone by now (the message destroyed the window): draw_now looks again.
    if (button_may_have_drawn(message)) draw_now(window);
    return result;
}

LRESULT label_message(SkinnedWindow& record, Engine& engine, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_with(record.window, w, draw_text_label, false, engine);
    case WM_ERASEBKGND:
        return 1;
    }
    return CallWindowProcW(record.original, record.window, message, w, l);
}

LRESULT bordered_message(SkinnedWindow& record, Engine& engine, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCPAINT) {
        draw_border(record.window, engine);
        return 0;
    }
    return CallWindowProcW(record.original, record.window, message, w, l);
}

}  // namespace

bool window_kind(HWND window, DWORD style, WindowKind& kind) {
    if (!(style & WS_CHILD)) {
        // Message-only windows (COM's among them) hang below a root of their own and never show.
        if (GetAncestor(window, GA_PARENT) != GetDesktopWindow() || system_top_level(window)) return false;
        kind = WindowKind::top_level;
        return true;
    }
    if (class_is(window, L"Button")) {
        const DWORD type = style & BS_TYPEMASK;
        if ((type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) || (style & (BS_BITMAP | BS_ICON))) return false;
        kind = WindowKind::push_button;
        return true;
    }
    if (class_is(window, L"Static")) {
        const DWORD type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
            return false;
        kind = WindowKind::text_label;
        return true;
    }
    const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((style & WS_CAPTION) != WS_CAPTION && ((ex & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE)) || (style & WS_BORDER))) {
        kind = WindowKind::bordered;
        return true;
    }
    return false;
}

LRESULT CALLBACK skinned_window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    Engine* engine = Engine::current();
    SkinnedWindow* record = engine ? engine->find(window) : nullptr;
    if (!record) return DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = record->original;
        engine->release(record);
        return CallWindowProcW(original, window, message, w, l);
    }
    switch (record->kind) {
    case WindowKind::top_level: return top_level_message(*record, *engine, message, w, l);
    case WindowKind::push_button: return button_message(*record, *engine, message, w, l);
    case WindowKind::text_label: return label_message(*record, *engine, message, w, l);
    case WindowKind::bordered: return bordered_message(*record, *engine, message, w, l);
    }
    return CallWindowProcW(record->original, window, message, w, l);
}

}  // namespace skin_engine
