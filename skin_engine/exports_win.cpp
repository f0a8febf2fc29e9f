// The engine's library, SkinH_EL.dll: two functions a program finds by name, both stdcall (the
// callee removes its arguments), exported without decoration through SkinH_EL.def.
#include <windows.h>

#include "engine_win.h"
#include "gdi_objects_win.h"

using skin_engine::Engine;

// Hands the engine a skin: it copies and checks the bytes, then draws the calling thread's
// windows, and those it creates later, in that skin. The text and the three integers are
// accepted and not used. 1 when the skin is attached; 0, with nothing changed, otherwise.
extern "C" int WINAPI SkinH_AttachRes(const BYTE* bytes, int count, const char* /*text*/, int, int, int) {
    Engine* engine = Engine::make();
    return engine && engine->attach(bytes, count) ? 1 : 0;
}

// 1 switches the Aero look on, 0 off.
extern "C" int WINAPI SkinH_SetAero(int on) {
    Engine* engine = Engine::make();
    if (!engine) return 0;
    engine->set_aero(on != 0);
    return 1;
}

// For tests: what the engine holds now. counts[0] GDI objects and DCs, [1] windows taken
// over, [2] 1 while the creation hook is installed.
extern "C" void WINAPI PawletSkin_Counts(LONG* counts) {
    if (!counts) return;
    Engine* engine = Engine::current();
    counts[0] = skin_engine::gdi_objects_held();
    counts[1] = engine ? engine->window_count() : 0;
    counts[2] = engine && engine->hooked() ? 1 : 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
    // Unloaded by FreeLibrary: hand every window back and release what the engine made, since
    // its code is about to go. When the process is ending (reserved set) the system reclaims
    // everything and other threads are gone mid-step: touching windows or the heap could hang.
    if (reason == DLL_PROCESS_DETACH && !reserved) Engine::destroy();
    return TRUE;
}
