#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "formats/skin_file.h"

namespace pawlet::skins {

// A picture a skin asks for: one of the patterns of patterns.h, drawn at a size in colours.
struct PictureSource {
    std::string name;
    std::string pattern;
    int width = 0, height = 0;
    SkinColour colour = 0, second = 0;
    int alpha = 255;
};

// One skin's readable source (tools/make_skins/skins/NN-name.skin), read into the fields of the
// file it becomes; the pictures are drawn later, so the Skin's pictures are still empty.
struct SkinSource {
    int number = 0;          // from the file name
    std::size_t size = 0;    // the file's exact size
    Skin skin;
    std::vector<PictureSource> pictures;
};

// Reads a source; on a mistake, nullopt and a message naming the line.
std::optional<SkinSource> read_skin_source(const std::filesystem::path& path, std::string& error);

}  // namespace pawlet::skins
