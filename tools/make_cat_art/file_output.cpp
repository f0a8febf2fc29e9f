#include "file_output.h"

#include <fstream>
#include <iostream>

namespace pawlet::art {

bool write_bytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "make_cat_art: cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace pawlet::art
