#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pawlet {

// The whole file; empty when it is missing or cannot be read. Paths of any length.
std::vector<std::uint8_t> read_whole_file(const std::wstring& path);

// Path as the wide file APIs take it: long absolute paths get the \\?\ prefix.
std::wstring extended_length_path(const std::wstring& path);

}  // namespace pawlet
