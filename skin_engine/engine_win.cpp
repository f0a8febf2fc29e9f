#include "engine_win.h"

#include "skinned_window_win.h"

namespace skin_engine {
namespace {
// Hook procedures get no context: the engine of the process is found here.
Engine* g_engine = nullptr;
constexpr BYTE translucent_alpha = 244;

LRESULT CALLBACK creation_hook(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND && g_engine) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(l)->lpcs;
        g_engine->adopt(reinterpret_cast<HWND>(w), static_cast<DWORD>(create->style));
    }
    return CallNextHookEx(nullptr, code, w, l);
}

HFONT make_font(const pawlet::SkinFont& font) {
    wchar_t face[LF_FACESIZE] = {};
    for (int i = 0; i < LF_FACESIZE - 1 && font.name[static_cast<std::size_t>(i)]; ++i)
        face[i] = static_cast<wchar_t>(font.name[static_cast<std::size_t>(i)]);
    return static_cast<HFONT>(count_made(CreateFontW(font.height, 0, 0, 0, font.weight, font.italic ? TRUE : FALSE,
                                                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                     DEFAULT_PITCH | FF_DONTCARE, face)));
}

COLORREF colour_ref(pawlet::SkinColour c) { return RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF); }

// Whether the desktop composes windows (Vista and later with Aero on, always from Windows 8).
// dwmapi is loaded by its full path in the system folder: never from the program's folder.
bool desktop_composition() {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH - 12);
    if (length == 0 || length >= MAX_PATH - 12) return false;
    lstrcatW(path, L"\\dwmapi.dll");
    HMODULE dwm = LoadLibraryW(path);
    if (!dwm) return false;
    BOOL enabled = FALSE;
    using IsEnabled = HRESULT(WINAPI*)(BOOL*);
    auto is_enabled = reinterpret_cast<IsEnabled>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
    const bool composed = is_enabled && is_enabled(&enabled) >= 0 && enabled;
    FreeLibrary(dwm);
    return composed;
}

BOOL CALLBACK adopt_child(HWND window, LPARAM) {
    if (g_engine) g_engine->adopt(window, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)));
    return TRUE;
}

BOOL CALLBACK adopt_top_level(HWND window, LPARAM) {
    adopt_child(window, 0);
    EnumChildWindows(window, adopt_child, 0);
    return TRUE;
}

BOOL CALLBACK redraw(HWND window, LPARAM) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}
}  // namespace

Engine* Engine::current() { return g_engine; }

Engine* Engine::make() {
    if (!g_engine) g_engine = heap_new<Engine>();
    return g_engine;
}

void Engine::destroy() { heap_delete(std::exchange(g_engine, nullptr)); }

Engine::~Engine() {
    if (hook_) UnhookWindowsHookEx(hook_);
    while (first_) release(first_);
    release_shared_objects();
}

bool Engine::attach(const BYTE* bytes, int count) {
    if (!bytes || count <= 0) return false;
    HeapBytes copy(static_cast<SIZE_T>(count));
    if (!copy.data()) return false;
    CopyMemory(copy.data(), bytes, static_cast<SIZE_T>(count));
    auto parsed = pawlet::parse_skin({copy.data(), copy.size()});
    if (!parsed) return false;

    // The new skin's pictures point into the new copy, so the old copy can go.
    skin_ = *parsed;
    bytes_ = std::move(copy);
    release_shared_objects();
    attached_ = true;
    if (!thread_) thread_ = GetCurrentThreadId();
    if (!hook_) hook_ = SetWindowsHookExW(WH_CBT, creation_hook, nullptr, thread_);
    adopt_thread_windows();
    redraw_all();
    return true;
}

void Engine::set_aero(bool on) {
    aero_ = on;
    composition_ = on && desktop_composition();
    for (SkinnedWindow* r = first_; r; r = r->next)
        if (r->kind == WindowKind::top_level) apply_translucency(*r);
    redraw_all();
}

void Engine::apply_translucency(SkinnedWindow& record) {
    const LONG_PTR ex = GetWindowLongPtrW(record.window, GWL_EXSTYLE);
    if (composition_ && !(ex & WS_EX_LAYERED)) {
        SetWindowLongPtrW(record.window, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredWindowAttributes(record.window, 0, translucent_alpha, LWA_ALPHA);
        record.made_layered = true;
    } else if (!composition_ && record.made_layered) {
        SetWindowLongPtrW(record.window, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        record.made_layered = false;
    }
}

void Engine::adopt(HWND window, DWORD style) {
    WindowKind kind;
    if (!attached_ || find(window) || !window_kind(window, style, kind)) return;
    SkinnedWindow* record = heap_new<SkinnedWindow>();
    if (!record) return;
    record->window = window;
    record->kind = kind;
    record->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&skinned_window_procedure)));
    if (!record->original) {
        heap_delete(record);
        return;
    }
    record->next = first_;
    if (first_) first_->previous = record;
    first_ = record;
    ++window_count_;
    if (kind == WindowKind::top_level && composition_) apply_translucency(*record);
}

void Engine::release(SkinnedWindow* record) {
    if (!record) return;
    HWND window = record->window;
    // Hand the window back only while the engine's procedure is the one in front: anyone who
    // subclassed it later would otherwise lose theirs.
    if (IsWindow(window) &&
        GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&skinned_window_procedure))
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->original));
    if (record->made_layered && IsWindow(window))
        SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    if (record->previous) record->previous->next = record->next;
    else first_ = record->next;
    if (record->next) record->next->previous = record->previous;
    heap_delete(record);
    if (--window_count_ == 0) release_shared_objects();
}

// Every message of a skinned window looks its record up. A window property would cost a round
// trip to wineserver per message under Wine; the list holds the thread's few skinned windows.
SkinnedWindow* Engine::find(HWND window) const {
    for (SkinnedWindow* record = first_; record; record = record->next)
        if (record->window == window) return record;
    return nullptr;
}

HFONT Engine::label_font() {
    if (!label_font_.get()) label_font_.reset(make_font(skin_.label_font));
    return label_font_.get();
}

HFONT Engine::button_font() {
    if (!button_font_.get()) button_font_.reset(make_font(skin_.button_font));
    return button_font_.get();
}

HBRUSH Engine::control_brush() {
    if (!control_brush_.get())
        control_brush_.reset(static_cast<HBRUSH>(count_made(CreateSolidBrush(colour_ref(skin_.label_back.a)))));
    return control_brush_.get();
}

void Engine::adopt_thread_windows() { EnumThreadWindows(thread_, adopt_top_level, 0); }

void Engine::redraw_all() { EnumThreadWindows(thread_, redraw, 0); }

void Engine::release_shared_objects() {
    label_font_.reset();
    button_font_.reset();
    control_brush_.reset();
}

}  // namespace skin_engine
