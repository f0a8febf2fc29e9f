#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace pawlet {

// Windows' classic path limit (MAX_PATH), counting the terminating null: a path of this many
// characters or more does not fit without the \\?\ prefix.
inline constexpr std::size_t classic_path_limit = 260;

// The path as the wide file APIs take it at any length (backslashes unescaped here): a long
// drive-absolute path C:\... becomes \\?\C:\..., a long UNC path \\server\share\... becomes
// \\?\UNC\server\share\...; short, relative, device (\\.\) and already prefixed paths stay as
// they are. The prefix turns off Windows' own clean-up of the path, so give a full path with
// backslashes and no "." or ".." parts.
std::wstring extended_length_path(std::wstring_view path);

}  // namespace pawlet
