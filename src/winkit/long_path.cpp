#include "winkit/long_path.h"

namespace pawlet {
namespace {

bool is_drive_absolute(std::wstring_view path) {
    return path.size() > 2 && path[1] == L':' && path[2] == L'\\';
}

// \\server\share, but neither \\?\ nor \\.\, which already name a namespace.
bool is_unc(std::wstring_view path) {
    return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' &&
           path[2] != L'.';
}

}  // namespace

std::wstring extended_length_path(std::wstring_view path) {
    if (path.size() >= classic_path_limit) {
        if (is_drive_absolute(path)) return std::wstring(L"\\\\?\\").append(path);
        if (is_unc(path)) return std::wstring(L"\\\\?\\UNC\\").append(path.substr(2));
    }
    return std::wstring(path);
}

}  // namespace pawlet
