#pragma once
#include <filesystem>
#include <string>

#include "input/embedded_cursors.h"

namespace pawlet::art {

// Where the art puts the embedded block of each picture cursor, and the hand's cursor file.
std::filesystem::path cursor_block_path(const std::filesystem::path& art_dir, EmbeddedCursor cursor);
inline constexpr const char* hand_cursor_file = "hand.cur";
inline constexpr const char* cursor_sheet_file = "cursor-sheet.png";

// The twelve picture cursors as embedded blocks (a 19,518-byte cursor file each, 256 colours),
// the hand as a monochrome cursor file, and a contact sheet of them all.
// Returns false with a message on stderr when a file cannot be made.
bool write_cursor_art(const std::filesystem::path& art_dir);

}  // namespace pawlet::art
