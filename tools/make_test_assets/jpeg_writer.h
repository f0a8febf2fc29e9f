#pragma once
#include <filesystem>

#include "rgb_image.h"

namespace pawlet::test_assets {

// Writes a baseline JFIF JPEG without chroma subsampling, so that flat blocks on the 16-pixel
// grid keep their colour. Throws std::runtime_error when the file cannot be written.
void write_jpeg(const std::filesystem::path& path, const RgbImage& image, int quality);

}  // namespace pawlet::test_assets
