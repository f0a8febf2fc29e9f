#pragma once
#include <filesystem>
#include <vector>

#include "formats/skin_file.h"

namespace pawlet::skins {

// A contact sheet of the skins: for each, the lower part of the main window (the label and the
// Close button) as the engine paints it with the Aero look, the button normal and pressed.
bool write_skin_sheet(const std::filesystem::path& png, const std::vector<Skin>& skins);

// The same strip of one skin without its texts, for each button state the tests can bring
// about on the screen (normal, hot, pressed, pressed-focused and focused, the last two with the
// focus ring), as DIR/<state>.ppm.
bool write_reference_strips(const std::filesystem::path& dir, const Skin& skin);

}  // namespace pawlet::skins
