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

// What to make the current directory at start-up for a program directory; empty means leave it
// alone. A bare drive gets its backslash ("C:" -> "C:\\", also after "\\\\?\\"): "C:" alone names
// the drive's current directory, not its root. Anything else, a share root "\\\\server\\share"
// included, names its folder as it stands; setting it adds the final backslash itself.
std::wstring current_directory_for(std::wstring_view program_dir);

}  // namespace pawlet
