#pragma once
#include <filesystem>
#include <vector>

#include "base/picture.h"

namespace pawlet::preview {

struct GifFrame {
    Picture picture;  // all frames of one GIF have the same size
    int hold_ms;      // GIF keeps hundredths of a second: rounded to 10 ms
};

// An endlessly looping animated GIF through giflib: each frame quantised to its own palette,
// only the rectangle that changed is stored, and unchanged pixels inside it are transparent.
bool write_animated_gif(const std::filesystem::path& path, const std::vector<GifFrame>& frames);

}  // namespace pawlet::preview
