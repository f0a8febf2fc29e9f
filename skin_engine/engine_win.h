#pragma once
#include <windows.h>

#include "formats/skin_file.h"
#include "gdi_objects_win.h"
#include "heap_win.h"

namespace skin_engine {

struct SkinnedWindow;

// The engine of the process: the attached skin (its own copy of the bytes), the hook that
// catches the thread's new windows, the windows it has taken over and the GDI objects all of
// them share, made on first use and released when the last window goes.
class Engine {
public:
    // The engine, made on the first attach; null before.
    static Engine* current();
    static Engine* make();
    // Everything undone: windows handed back to their own procedures, hook and objects released.
    static void destroy();

    // Copies and checks the skin, then takes over the calling thread's windows. False (and
    // nothing changed) for no bytes or a skin that fails its checks.
    bool attach(const BYTE* bytes, int count);
    void set_aero(bool on);

    const pawlet::Skin& skin() const { return skin_; }
    bool aero() const { return aero_; }
    HFONT label_font();
    HFONT button_font();
    HBRUSH control_brush();

    // Called by the hook for every window the thread creates, and by attach for those it has.
    void adopt(HWND window, DWORD style);
    // The window goes: its record is freed and, with the last one, the shared objects.
    void release(SkinnedWindow* record);
    SkinnedWindow* find(HWND window) const;
    LONG window_count() const { return window_count_; }
    bool hooked() const { return hook_ != nullptr; }

    Engine() = default;
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

private:
    void adopt_thread_windows();
    void apply_translucency(SkinnedWindow& record);
    void redraw_all();
    void release_shared_objects();

    HeapBytes bytes_;
    pawlet::Skin skin_{};
    bool attached_ = false;
    bool aero_ = false;
    bool composition_ = false;
    DWORD thread_ = 0;
    HHOOK hook_ = nullptr;
    SkinnedWindow* first_ = nullptr;
    LONG window_count_ = 0;
    OwnedGdi<HFONT> label_font_;
    OwnedGdi<HFONT> button_font_;
    OwnedGdi<HBRUSH> control_brush_;
};

}  // namespace skin_engine
