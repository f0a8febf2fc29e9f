#pragma once
#include <string>
#include <string_view>

namespace pawlet {

// The program directory: the module's full path cut at its last backslash, with no trailing
// backslash ("C:\\Games\\Pet\\pet.exe" -> "C:\\Games\\Pet", "C:\\pet.exe" -> "C:"). A path
// without a backslash gives an empty directory.
std::wstring program_dir_from_module_path(std::wstring_view module_path);

// The asset folder below the program directory, ending in a backslash:
// asset_dir(L"C:", L"animations") == L"C:\\animations\\".
std::wstring asset_dir(std::wstring_view program_dir, std::wstring_view folder);

}  // namespace pawlet
