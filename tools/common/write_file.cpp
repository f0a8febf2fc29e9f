#include "write_file.h"

#include <fstream>
#include <system_error>

namespace pawlet::tool_files {

bool write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be opened
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace pawlet::tool_files
