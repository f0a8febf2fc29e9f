#include "jpeg_writer.h"

#include <stdexcept>

#include "media_writers.h"
#include "write_file.h"

namespace pawlet::test_assets {

void write_jpeg(const std::filesystem::path& path, const RgbImage& image, int quality) {
    if (!tool_files::write_file(path, media::encode_jpeg(image.pixels, image.width, image.height,
                                                         {.quality = quality, .full_chroma = true}))) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace pawlet::test_assets
