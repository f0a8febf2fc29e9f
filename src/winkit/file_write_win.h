#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace pawlet {

// Writes the bytes as the whole file (made or replaced, shared with nobody while open), then
// gives it exactly `attributes`. A file that cannot be written completely is removed again, so
// that no half-written file stays behind. False on any failure. Paths of any length.
bool write_whole_file(const std::wstring& path, std::span<const std::uint8_t> bytes, unsigned long attributes);

// Whether a directory entry (file or folder) of exactly this path exists.
bool entry_exists(const std::wstring& path);

}  // namespace pawlet
