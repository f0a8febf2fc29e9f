#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pawlet {

// Frames and sounds are small; a file above this size is not one of ours.
inline constexpr std::int64_t largest_readable_file = 0x40000000;  // 1 GiB

// The whole file; empty when it is missing, empty, larger than `largest` or cannot be read.
// Paths of any length.
std::vector<std::uint8_t> read_whole_file(const std::wstring& path,
                                          std::int64_t largest = largest_readable_file);

// The same for the file `ascii_name` (a frame or sound name, plain ASCII) inside `dir`, which
// ends in a backslash.
std::vector<std::uint8_t> read_whole_file(const std::wstring& dir, std::string_view ascii_name,
                                          std::int64_t largest = largest_readable_file);

}  // namespace pawlet
