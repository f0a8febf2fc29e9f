#include "pack_folder.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <system_error>

#include "pet/action_catalogue.h"

namespace pawlet::pack {
namespace {

std::string lower_ascii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string slashed(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::filesystem::path path_of_text(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

std::string frame_pack_name(std::string_view catalogue_name) {
    return std::string(frames_folder) + "/" + slashed(std::string(catalogue_name));
}

std::vector<PackFile> expected_pack_files() {
    std::vector<PackFile> files;
    for (const std::string& name : all_frame_file_names()) files.push_back({frame_pack_name(name), FileKind::frame});
    for (const std::string& name : all_sound_file_names())
        files.push_back({std::string(sounds_folder) + "/" + name, FileKind::sound});
    return files;
}

std::string generic_text(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

PackFolder::PackFolder(std::filesystem::path root) : root_(std::move(root)) {
    for (const char* folder : {frames_folder, sounds_folder}) {
        std::error_code ec;
        // The folder under any case of its name.
        for (std::filesystem::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = generic_text(it->path().filename());
            if (lower_ascii(name) != folder || !it->is_directory(ec)) continue;
            subfolders_.push_back(folder);
            std::filesystem::recursive_directory_iterator inner(
                it->path(), std::filesystem::directory_options::skip_permission_denied, ec);
            for (std::filesystem::recursive_directory_iterator stop; !ec && inner != stop; inner.increment(ec)) {
                std::error_code kind_ec;
                if (!inner->is_regular_file(kind_ec)) continue;
                const std::string found = generic_text(inner->path().lexically_relative(root_));
                files_by_key_.emplace(lower_ascii(found), found);
            }
        }
    }
}

bool PackFolder::has_subfolder(std::string_view name) const {
    return std::find(subfolders_.begin(), subfolders_.end(), lower_ascii(name)) != subfolders_.end();
}

std::optional<std::filesystem::path> PackFolder::find(std::string_view name) const {
    const auto it = files_by_key_.find(lower_ascii(name));
    if (it == files_by_key_.end()) return std::nullopt;
    return root_ / path_of_text(it->second);
}

std::vector<std::string> PackFolder::files() const {
    std::vector<std::string> names;
    for (const auto& [key, found] : files_by_key_) names.push_back(found);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::vector<std::uint8_t>> read_pack_file(const std::filesystem::path& path) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

}  // namespace pawlet::pack
