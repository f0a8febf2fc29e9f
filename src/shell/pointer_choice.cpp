#include "shell/pointer_choice.h"

#include <algorithm>

namespace pawlet {

PointerChoice classify_pointer_setting(std::span<const std::uint8_t> setting) {
    PointerChoice choice;
    if (std::ranges::equal(setting, hand_pointer_setting)) {
        choice.kind = PointerKind::hand;
    } else if (setting.size() > 10) {
        if (auto cursor = parse_cursor_file(setting)) {
            choice.kind = PointerKind::cursor;
            choice.cursor = *cursor;
        }
    }
    return choice;
}

}  // namespace pawlet
