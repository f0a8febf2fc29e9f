// The skin engine's library on the real window system: its two exports called as the program
// calls them, what it draws in each button state, that it changes no window's behaviour, and
// that it gives everything back when the windows go and when it is unloaded.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/skin_painter.h"
#include "shell/layout.h"
#include "winkit/file_read_win.h"

namespace pawlet {
namespace {

using AttachRes = int(WINAPI*)(const std::uint8_t*, int, const char*, int, int, int);
using SetAero = int(WINAPI*)(int);
using Counts = void(WINAPI*)(LONG*);

std::wstring windows_path(const char* unix_path) {
    std::wstring path = L"Z:";
    for (const char* c = unix_path; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

std::vector<std::uint8_t> skin_file(int number) {
    wchar_t name[32];
    wsprintfW(name, L"\\skin%02d.she", number);
    return read_whole_file(windows_path(PAWLET_SKINS_DIR) + name);
}

// The engine's library, loaded for one test and unloaded at its end.
struct EngineLibrary {
    HMODULE dll = LoadLibraryW(windows_path(PAWLET_SKIN_ENGINE_DLL).c_str());
    AttachRes attach = reinterpret_cast<AttachRes>(reinterpret_cast<void*>(GetProcAddress(dll, "SkinH_AttachRes")));
    SetAero aero = reinterpret_cast<SetAero>(reinterpret_cast<void*>(GetProcAddress(dll, "SkinH_SetAero")));
    Counts counts_fn = reinterpret_cast<Counts>(reinterpret_cast<void*>(GetProcAddress(dll, "PawletSkin_Counts")));
    ~EngineLibrary() {
        if (dll) FreeLibrary(dll);
    }
    struct Held {
        LONG gdi, windows, hook;
    };
    Held counts() const {
        LONG c[3] = {-1, -1, -1};
        counts_fn(c);
        return {c[0], c[1], c[2]};
    }
    int attach_skin(const std::vector<std::uint8_t>& bytes) const {
        return attach(bytes.data(), static_cast<int>(bytes.size()), "", 0, 0, 0);
    }
};

// A frameless window laid out like the pet's lower part: the Close button and the label.
struct TestWindow {
    static inline int clicks = 0;
    static LRESULT CALLBACK procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++clicks;
        return DefWindowProcW(w, m, wp, lp);
    }
    HWND window = nullptr, button = nullptr, label = nullptr;
    explicit TestWindow(const wchar_t* label_text = L"Pawlet\r\nline two", DWORD button_type = BS_PUSHBUTTON) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinEngineTestWindow";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"skin test", WS_POPUP | WS_CLIPCHILDREN, 10, 10,
                                 run_window_width, run_window_height, nullptr, nullptr, wc.hInstance, nullptr);
        const Rect& b = main_window_layout[close_button].bounds;
        button = CreateWindowExW(0, L"BUTTON", L"关闭", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_MULTILINE | button_type,
                                 b.left, b.top, b.width(), b.height(), window, reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
        const Rect& l = main_window_layout[credits_label].bounds;
        label = CreateWindowExW(0, L"STATIC", label_text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, l.left, l.top,
                                l.width(), l.height(), window, reinterpret_cast<HMENU>(2), wc.hInstance, nullptr);
    }
    ~TestWindow() {
        if (IsWindow(window)) DestroyWindow(window);
    }
};

void pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// What a window paints of itself through WM_PRINTCLIENT (or, for the face, WM_ERASEBKGND),
// as 0xRRGGBB values, top row first.
std::vector<std::uint32_t> printed(HWND window, UINT message) {
    RECT r;
    GetClientRect(window, &r);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, message, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + r.right * r.bottom);
    for (auto& p : pixels) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

struct Mismatch {
    int count = 0;
    std::string first;
};

// Pixels that differ by more than 2 in a channel, outside `skip` (where text is drawn).
Mismatch compare(const std::vector<std::uint32_t>& actual, const std::vector<std::uint32_t>& expected, int width,
                 Rect skip = {}) {
    Mismatch m;
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
        const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
        if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
        const std::uint32_t a = actual[i], e = expected[i] & 0xFFFFFF;
        bool same = true;
        for (int shift : {0, 8, 16}) same = same && std::abs(int(a >> shift & 0xFF) - int(e >> shift & 0xFF)) <= 2;
        if (!same && m.count++ == 0) {
            char text[96];
            wsprintfA(text, "first at (%d, %d): %06x, expected %06x", x, y, a, e & 0xFFFFFF);
            m.first = text;
        }
    }
    return m;
}

TEST(SkinEngineExports, AttachNothingForNoSkinOrABadOneAndASkinForAGoodOne) {
    EngineLibrary engine;
    ASSERT_TRUE(engine.dll && engine.attach && engine.aero && engine.counts_fn);
    TestWindow window;
    std::vector<std::uint8_t> good = skin_file(13);
    ASSERT_EQ(good.size(), 26370u);
    std::vector<std::uint8_t> bad = good;
    bad[5] = 9;  // a version the engine does not know

    EXPECT_EQ(engine.attach(nullptr, 0, "", 0, 0, 0), 0);
    EXPECT_EQ(engine.attach(good.data(), 0, "", 0, 0, 0), 0);
    EXPECT_EQ(engine.attach(good.data(), -5, "", 0, 0, 0), 0);
    EXPECT_EQ(engine.attach(good.data(), 100, "", 0, 0, 0), 0) << "a cut skin";
    EXPECT_EQ(engine.attach_skin(bad), 0);
    EXPECT_EQ(engine.counts().windows, 0) << "a refused skin takes no window over";
    EXPECT_EQ(engine.counts().hook, 0);

    EXPECT_EQ(engine.attach_skin(good), 1);
    EXPECT_EQ(engine.counts().windows, 3) << "the window, its button and its label";
    EXPECT_EQ(engine.counts().hook, 1);
    TestWindow later;
    EXPECT_EQ(engine.counts().windows, 6) << "windows made after the attach are skinned too";
    EXPECT_NE(engine.aero(1), 0);
    // The program releases its copy right after the call: the engine kept its own.
    std::fill(good.begin(), good.end(), std::uint8_t{0xEE});
    ShowWindow(window.window, SW_SHOWNOACTIVATE);
    UpdateWindow(window.window);
    EXPECT_NE(printed(window.button, WM_PRINTCLIENT)[0], 0xEEEEEEu);
}

TEST(SkinEngineDrawing, ButtonFaceInEachStateAndTheLabelAreWhatTheSkinSays) {
    EngineLibrary engine;
    TestWindow window(L"");
    const std::vector<std::uint8_t> bytes = skin_file(13);
    const auto skin = parse_skin(bytes);
    ASSERT_TRUE(skin);
    ASSERT_EQ(engine.attach_skin(bytes), 1);
    engine.aero(1);
    ShowWindow(window.window, SW_SHOW);
    SendMessageW(window.window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    pump();

    const Rect& b = main_window_layout[close_button].bounds;
    const int w = b.width(), h = b.height();
    const Rect caption{w / 2 - 32, h / 2 - 13, w / 2 + 33, h / 2 + 14};
    struct Case {
        const char* name;
        ButtonState state;
        void (*arrange)(const TestWindow&);
    };
    const Case cases[] = {
        {"normal", button_normal, [](const TestWindow& t) { SetFocus(t.window); }},
        {"hot", button_hot, [](const TestWindow& t) { SendMessageW(t.button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }},
        {"pressed", button_pressed, [](const TestWindow& t) { SendMessageW(t.button, BM_SETSTATE, TRUE, 0); }},
        {"focused", button_focused, [](const TestWindow& t) { SetFocus(t.button); }},
        {"default", button_default, [](const TestWindow& t) { SendMessageW(t.button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange(window);
        std::vector<std::uint32_t> expected(static_cast<std::size_t>(w * h), 0);
        const PixelView view{expected.data(), w, h};
        paint_window_face(view, Rect{-b.left, -b.top, run_window_width - b.left, run_window_height - b.top}, *skin, true);
        paint_button(view, Rect{0, 0, w, h}, *skin, c.state, true);
        if (c.state == button_focused) paint_focus_ring(view, Rect{0, 0, w, h}, *skin);
        const Mismatch m = compare(printed(window.button, WM_PRINTCLIENT), expected, w, caption);
        EXPECT_EQ(m.count, 0) << m.first;
        // Undo: the pressed look, the default style, the hot pointer (its leave message).
        SendMessageW(window.button, BM_SETSTATE, FALSE, 0);
        SendMessageW(window.button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessageW(window.button, WM_MOUSELEAVE, 0, 0);
        SetFocus(window.window);
        pump();
    }

    const Rect& l = main_window_layout[credits_label].bounds;
    std::vector<std::uint32_t> label(static_cast<std::size_t>(l.width() * l.height()), 0);
    paint_label_back({label.data(), l.width(), l.height()}, Rect{0, 0, l.width(), l.height()}, *skin);
    const Mismatch m = compare(printed(window.label, WM_PRINTCLIENT), label, l.width());
    EXPECT_EQ(m.count, 0) << "label: " << m.first;

    std::vector<std::uint32_t> face(static_cast<std::size_t>(run_window_width * run_window_height), 0);
    paint_window_face({face.data(), run_window_width, run_window_height}, Rect{0, 0, run_window_width, run_window_height},
                      *skin, true);
    const Mismatch f = compare(printed(window.window, WM_ERASEBKGND), face, run_window_width);
    EXPECT_EQ(f.count, 0) << "face: " << f.first;
}

TEST(SkinEngineDrawing, LabelTextInTheSkinsColour) {
    EngineLibrary engine;
    TestWindow window(L"Pawlet  PC版  V1.1\r\nhttps://pawlet.example.org/");
    const std::vector<std::uint8_t> bytes = skin_file(7);  // light text on a dark label
    const auto skin = parse_skin(bytes);
    ASSERT_EQ(engine.attach_skin(bytes), 1);
    ShowWindow(window.window, SW_SHOW);
    const std::vector<std::uint32_t> pixels = printed(window.label, WM_PRINTCLIENT);
    // Text is smoothed at its edges: count the pixels close to the text colour.
    int text = 0;
    for (std::uint32_t p : pixels) {
        bool close = true;
        for (int shift : {0, 8, 16}) close = close && std::abs(int(p >> shift & 0xFF) - int(skin->label_text >> shift & 0xFF)) <= 40;
        text += close;
    }
    EXPECT_GT(text, 40) << "pixels in the label's text colour";
}

TEST(SkinEngineBehaviour, ClicksKeysFocusSizesAndTextsAsWithoutTheSkin) {
    EngineLibrary engine;
    TestWindow window;
    ShowWindow(window.window, SW_SHOW);
    pump();
    RECT before_button, before_label;
    GetWindowRect(window.button, &before_button);
    GetWindowRect(window.label, &before_label);
    const LONG_PTR style = GetWindowLongPtrW(window.button, GWL_STYLE);
    ASSERT_EQ(engine.attach_skin(skin_file(13)), 1);
    engine.aero(1);
    pump();

    RECT after;
    GetWindowRect(window.button, &after);
    EXPECT_TRUE(EqualRect(&before_button, &after));
    GetWindowRect(window.label, &after);
    EXPECT_TRUE(EqualRect(&before_label, &after));
    EXPECT_EQ(GetWindowLongPtrW(window.button, GWL_STYLE), style);
    wchar_t text[32] = {};
    GetWindowTextW(window.button, text, 32);
    EXPECT_STREQ(text, L"关闭");
    EXPECT_EQ(GetWindow(window.window, GW_CHILD), window.button) << "the children keep their order";

    TestWindow::clicks = 0;
    SendMessageW(window.button, BM_CLICK, 0, 0);
    EXPECT_EQ(TestWindow::clicks, 1) << "BM_CLICK";
    SetFocus(window.button);
    EXPECT_EQ(GetFocus(), window.button);
    SendMessageW(window.button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(window.button, WM_KEYUP, VK_SPACE, 0xC0390001);
    EXPECT_EQ(TestWindow::clicks, 2) << "space on the focused button";
    SendMessageW(window.button, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    SendMessageW(window.button, WM_KEYUP, VK_RETURN, 0xC01C0001);
    EXPECT_EQ(TestWindow::clicks, 2) << "Enter does not click a push button";
    SendMessageW(window.button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(window.button, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(TestWindow::clicks, 3) << "a click";
    SendMessageW(window.button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(window.button, WM_LBUTTONUP, 0, MAKELPARAM(400, 20));
    EXPECT_EQ(TestWindow::clicks, 3) << "released outside: no click";
    pump();
}

TEST(SkinEngineLifetime, GivesBackObjectsAndWindowsWhenTheyGoAndWhenUnloaded) {
    WNDPROC button_class_proc = nullptr;
    TestWindow survivor;
    button_class_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(survivor.button, GWLP_WNDPROC));
    {
        EngineLibrary engine;
        {
            TestWindow window;
            ASSERT_EQ(engine.attach_skin(skin_file(13)), 1);
            engine.aero(1);
            ShowWindow(window.window, SW_SHOW);
            UpdateWindow(window.window);
            printed(window.button, WM_PRINTCLIENT);
            printed(window.label, WM_PRINTCLIENT);
            EXPECT_GT(engine.counts().gdi, 0) << "fonts and brushes for painting";
            EXPECT_EQ(engine.counts().windows, 6);
        }
        DestroyWindow(survivor.window);
        pump();
        EXPECT_EQ(engine.counts().windows, 0);
        EXPECT_EQ(engine.counts().gdi, 0) << "the last window took the shared objects with it";
        EXPECT_EQ(engine.counts().hook, 1);

        TestWindow again;  // adopted by the hook, then handed back at the unload
        ShowWindow(again.window, SW_SHOW);
        UpdateWindow(again.window);
        EXPECT_EQ(engine.counts().windows, 3);
        EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(again.button, GWLP_WNDPROC)), button_class_proc);
        survivor.window = again.window;
        survivor.button = again.button;
        again.window = nullptr;
    }
    // Unloaded: the windows run their own procedures again, and still work.
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(survivor.button, GWLP_WNDPROC)), button_class_proc);
    TestWindow::clicks = 0;
    SendMessageW(survivor.button, BM_CLICK, 0, 0);
    RedrawWindow(survivor.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(TestWindow::clicks, 1);
}

TEST(SkinEngineAero, TranslucentOnlyWhereTheDesktopComposes) {
    EngineLibrary engine;
    TestWindow window;
    ASSERT_EQ(engine.attach_skin(skin_file(13)), 1);
    using IsComposed = HRESULT(WINAPI*)(BOOL*);
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    auto is_composed = reinterpret_cast<IsComposed>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
    BOOL composed = FALSE;
    if (is_composed) is_composed(&composed);
    FreeLibrary(dwm);
    std::printf("desktop composition: %s\n", composed ? "on" : "off");

    engine.aero(1);
    const bool layered = (GetWindowLongPtrW(window.window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    EXPECT_EQ(layered, composed != FALSE);
    EXPECT_FALSE(GetWindowLongPtrW(window.button, GWL_EXSTYLE) & WS_EX_LAYERED) << "only top-level windows";
    engine.aero(0);
    EXPECT_FALSE(GetWindowLongPtrW(window.window, GWL_EXSTYLE) & WS_EX_LAYERED);
}

}  // namespace
}  // namespace pawlet
