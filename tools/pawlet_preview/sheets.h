#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "base/picture.h"

namespace pawlet::preview {

struct SheetCell {
    Picture picture;
    std::string caption;
    bool flagged;  // caption in red: the frame is missing or broken
};

struct SheetRow {
    std::string title;
    std::vector<SheetCell> cells;
};

// PNG of titled rows of pictures scaled by `scale`, `columns` to a line.
bool write_sheet(const std::filesystem::path& png, const std::vector<SheetRow>& rows, int columns, double scale);

// PNG of the picture with the touch regions drawn on it, numbered, and a key of their actions.
bool write_region_map(const std::filesystem::path& png, const Picture& picture);

// The picture scaled by `scale` (smooth), as GIF frames want it.
Picture scaled_picture(const Picture& picture, double scale);

}  // namespace pawlet::preview
