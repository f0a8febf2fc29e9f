#include "gdi_objects_win.h"

namespace skin_engine {
namespace {
LONG g_held = 0;  // the engine runs on one thread: the one whose windows it skins
}  // namespace

HGDIOBJ count_made(HGDIOBJ object) {
    if (object) ++g_held;
    return object;
}

void delete_object(HGDIOBJ object) {
    if (object && DeleteObject(object)) --g_held;
}

HDC make_memory_dc(HDC like) {
    HDC dc = CreateCompatibleDC(like);
    if (dc) ++g_held;
    return dc;
}

void delete_memory_dc(HDC dc) {
    if (dc && DeleteDC(dc)) --g_held;
}

LONG gdi_objects_held() { return g_held; }

}  // namespace skin_engine
