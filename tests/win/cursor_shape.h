#pragma once
// The size and hotspot of a cursor handle, as the window system reports them.
#include <windows.h>

#include <optional>

namespace pawlet::testing {

struct CursorShape {
    int width = 0, height = 0, hotspot_x = -1, hotspot_y = -1;
};

// None when the handle is null or names no cursor (one destroyed, say).
inline std::optional<CursorShape> cursor_shape(HCURSOR cursor) {
    ICONINFO info{};
    if (!cursor || !GetIconInfo(cursor, &info)) return std::nullopt;
    BITMAP bm{};
    // A monochrome cursor has no colour bitmap: its mask holds both halves, one above the other.
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    const CursorShape shape{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2,
                            static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return shape;
}

}  // namespace pawlet::testing
