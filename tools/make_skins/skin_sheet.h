#pragma once
#include <filesystem>
#include <vector>

#include "formats/skin_file.h"

namespace pawlet::skins {

// A contact sheet of the skins: for each, the lower part of the main window (the label and the
// Close button) as the engine paints it with the Aero look, the button normal and pressed.
bool write_skin_sheet(const std::filesystem::path& png, const std::vector<Skin>& skins);

}  // namespace pawlet::skins
