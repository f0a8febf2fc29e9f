#pragma once
#include <filesystem>

namespace pawlet::art {

inline constexpr std::size_t background_jpeg_size = 23882;
inline constexpr int icon_sizes[] = {128, 64, 48, 32, 16};

// The pictures the program itself carries: background.jpg, pawlet.ico, the cursors (see
// cursor_art.h), and beside them cat-mask.png (white where the cat is), and background.png,
// icon-N.png, touch-regions.png and cursor-sheet.png for looking at.
// Returns false with a message on stderr when a file cannot be made.
bool write_program_art(const std::filesystem::path& dir);

}  // namespace pawlet::art
