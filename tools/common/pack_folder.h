#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An asset pack as the pet reads it: the folders animations/ and sounds/ beside the program.
namespace pawlet::pack {

inline constexpr const char* frames_folder = "animations";
inline constexpr const char* sounds_folder = "sounds";

enum class FileKind { frame, sound };

struct PackFile {
    std::string name;  // relative to the pack folder, '/' between parts: "animations/pie/pie0003.jpg"
    FileKind kind;
};

// A frame's name in a pack, from its catalogue name: "pie\\pie0003.jpg" -> "animations/pie/pie0003.jpg".
std::string frame_pack_name(std::string_view catalogue_name);

// Every file the pet can read, in catalogue order: the frames, then the sounds.
std::vector<PackFile> expected_pack_files();

// A path as UTF-8 text with '/' between its parts, on every host.
std::string generic_text(const std::filesystem::path& path);

// What a pack folder holds below animations/ and sounds/. Windows finds a file whatever the case
// of its name, so lookups ignore ASCII case here too.
class PackFolder {
public:
    explicit PackFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }
    bool has_subfolder(std::string_view name) const;
    // The file on disk that the pet opens for `name` (as in PackFile::name), if there is one.
    std::optional<std::filesystem::path> find(std::string_view name) const;
    // Every file found below the two folders, relative and '/'-separated, sorted.
    std::vector<std::string> files() const;

private:
    std::filesystem::path root_;
    std::vector<std::string> subfolders_;               // lower-case names of those present
    std::map<std::string, std::string> files_by_key_;  // lower-case name -> name as found
};

// The whole file, or nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> read_pack_file(const std::filesystem::path& path);

}  // namespace pawlet::pack
