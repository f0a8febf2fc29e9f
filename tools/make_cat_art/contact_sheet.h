#pragma once
#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

namespace pawlet::art {

struct SheetRow {
    std::string title;
    std::vector<cairo_surface_t*> pictures;  // not owned
    std::vector<std::string> captions;       // one per picture
};

// A PNG with one titled row (wrapped at `columns`) per entry, pictures scaled by `scale`.
bool write_contact_sheet(const std::filesystem::path& png, const std::vector<SheetRow>& rows, int columns,
                         double scale);

}  // namespace pawlet::art
