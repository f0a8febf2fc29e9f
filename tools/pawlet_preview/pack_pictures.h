#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "base/picture.h"
#include "pack_folder.h"

namespace pawlet::preview {

// What the animation box shows of each frame of a pack, as the window shows it: the frame drawn
// by the pet's own sprite box at the client origin over the box's background, cut to the part of
// the box inside the 317-pixel-wide window.
class PackPictures {
public:
    PackPictures(const std::filesystem::path& pack, std::optional<Picture> background);

    // The screen for a frame named as the catalogue names it; the bare background when the file
    // is missing or does not decode.
    const Picture& screen(const std::string& frame_name);
    // False when the frame is missing or does not decode.
    bool readable(const std::string& frame_name);

    // Drops the screens made so far (they take 600 KB each).
    void forget();

    int width() const;
    int height() const;

private:
    struct Entry {
        Picture screen;
        bool readable;
    };
    const Entry& entry(const std::string& frame_name);

    pack::PackFolder folder_;
    std::optional<Picture> background_;
    std::map<std::string, Entry> cache_;
};

// A JPEG file decoded with the pet's decoder, or nullopt.
std::optional<Picture> read_jpeg_file(const std::filesystem::path& path);

}  // namespace pawlet::preview
