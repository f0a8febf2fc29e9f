#pragma once
#include <windows.h>

#include <cstdint>
#include <span>

#include "formats/cursor_file.h"
#include "winkit/handles_win.h"

namespace pawlet {

// A control's pointer setting and the pointer made from it. The hand is the program's own shared
// pointer; a pointer made from a cursor file is owned and released at the next setting.
class PointerSetting {
public:
    // Makes the pointer from `setting`. Returns the previous pointer, for the caller to release
    // once the new one is on screen (a pointer is never destroyed while it shows).
    [[nodiscard]] OwnedCursor set(std::span<const std::uint8_t> setting);
    // The pointer to show, or null for the control's default (the arrow).
    HCURSOR cursor() const { return owned_ ? owned_.get() : shared_; }

private:
    OwnedCursor owned_;
    HCURSOR shared_ = nullptr;
};

// The program's pointing hand (cursor group PAWLET_RES_HAND_CURSOR); null if the module lacks it.
HCURSOR hand_pointer();

// A pointer from a cursor file's image, at the file's own size and hotspot.
OwnedCursor cursor_from_image(const CursorImage& image);

}  // namespace pawlet
