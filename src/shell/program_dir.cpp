#include "shell/program_dir.h"

namespace pawlet {

std::wstring program_dir_from_module_path(std::wstring_view module_path) {
    const auto last = module_path.rfind(L'\\');
    if (last == std::wstring_view::npos) return {};
    return std::wstring(module_path.substr(0, last));
}

std::wstring asset_dir(std::wstring_view program_dir, std::wstring_view folder) {
    std::wstring dir;
    dir.reserve(program_dir.size() + folder.size() + 2);
    dir.append(program_dir).append(1, L'\\').append(folder).append(1, L'\\');
    return dir;
}

std::wstring current_directory_for(std::wstring_view program_dir) {
    std::wstring dir(program_dir);
    if (!dir.empty() && dir.back() == L':') dir.push_back(L'\\');
    return dir;
}

}  // namespace pawlet
