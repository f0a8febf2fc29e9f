#include "shell/pointer_win.h"

#include <vector>

#include "assets/resource_ids.h"
#include "shell/pointer_choice.h"

namespace pawlet {

OwnedCursor cursor_from_image(const CursorImage& image) {
    // CreateIconFromResourceEx takes the resource layout: the hotspot words, then the DIB.
    std::vector<BYTE> resource(4 + image.image.size());
    resource[0] = static_cast<BYTE>(image.hotspot_x & 0xFF);
    resource[1] = static_cast<BYTE>((image.hotspot_x >> 8) & 0xFF);
    resource[2] = static_cast<BYTE>(image.hotspot_y & 0xFF);
    resource[3] = static_cast<BYTE>((image.hotspot_y >> 8) & 0xFF);
    std::copy(image.image.begin(), image.image.end(), resource.begin() + 4);
    return OwnedCursor(gdi_calls().create_icon_from_resource_ex(
        resource.data(), static_cast<DWORD>(resource.size()), FALSE, 0x00030000, image.width,
        image.height, LR_DEFAULTCOLOR));
}

HCURSOR hand_pointer() {
    // LoadCursor shares one cursor per module and resource for the process: never destroyed.
    return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PAWLET_RES_HAND_CURSOR));
}

OwnedCursor PointerSetting::set(std::span<const std::uint8_t> setting) {
    const PointerChoice choice = classify_pointer_setting(setting);
    OwnedCursor previous = std::move(owned_);
    shared_ = nullptr;
    switch (choice.kind) {
    case PointerKind::hand:
        shared_ = hand_pointer();
        break;
    case PointerKind::cursor:
        owned_ = cursor_from_image(choice.cursor);
        break;
    case PointerKind::arrow:
        break;
    }
    return previous;
}

}  // namespace pawlet
