#include "jpeg_writer.h"

#include "media_writers.h"
#include "output_file.h"

namespace pawlet::test_assets {

void write_jpeg(const std::filesystem::path& path, const RgbImage& image, int quality) {
    write_file(path, media::encode_jpeg(image.pixels, image.width, image.height,
                                        {.quality = quality, .full_chroma = true}));
}

}  // namespace pawlet::test_assets
