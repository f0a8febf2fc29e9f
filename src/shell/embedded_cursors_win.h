#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "input/embedded_cursors.h"

namespace pawlet {

// The cursor file inside each picture cursor's embedded block among the program's resources,
// indexed by EmbeddedCursor. Module memory: valid for the process's life. Empty where a block
// is missing or damaged, which the pointer setting shows as the arrow.
using EmbeddedCursorFiles = std::array<std::span<const std::uint8_t>, embedded_cursors.size()>;
EmbeddedCursorFiles embedded_cursor_files();

}  // namespace pawlet
