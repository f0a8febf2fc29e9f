#pragma once
#include <cstdint>
#include <filesystem>
#include <span>

namespace pawlet::art {

// Writes the bytes to the file, creating its folder. False (with a message) on failure.
bool write_bytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace pawlet::art
