#pragma once
#include <cstdint>
#include <filesystem>
#include <span>

namespace pawlet::tool_files {

// Writes the bytes as the whole file, creating its folder first. False when the file cannot be
// written; the caller says so in its own way.
[[nodiscard]] bool write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace pawlet::tool_files
