#pragma once
#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

namespace pawlet::art {

struct SheetCursor {
    std::string caption;
    cairo_surface_t* picture;  // the cursor's whole canvas as the program shows it; not owned
    int hotspot_x, hotspot_y;
    int crop_first, crop_size;  // the square of the canvas to enlarge
};

// A PNG with each cursor enlarged (on a checkerboard, its hotspot marked) and beside it at real
// size on a desktop-coloured ground.
bool write_cursor_sheet(const std::filesystem::path& png, const std::vector<SheetCursor>& cursors, int columns);

}  // namespace pawlet::art
