#include "winkit/library_function_win.h"

namespace pawlet {

HMODULE load_library_safely(const wchar_t* file_name) {
    // The LOAD_LIBRARY_SEARCH_* flags came with Windows 8 and KB2533623 for Vista and 7; their
    // presence shows as AddDllDirectory. An older system would reject the flag, and its plain
    // search would look in the current directory and PATH.
    if (GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory"))
        return LoadLibraryExW(file_name, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    wchar_t system_dir[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system_dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(system_dir, length) + L"\\" + file_name;
    return LoadLibraryW(path.c_str());
}

FARPROC LibraryFunction::find(const std::wstring& full_path, const wchar_t* file_name) {
    if (address_) return address_;
    HMODULE library = LoadLibraryExW(full_path.c_str(), nullptr, 0);
    if (!library) library = load_library_safely(file_name);
    library_missing_ = library == nullptr;
    if (!library) return nullptr;
    address_ = GetProcAddress(library, name_);
    if (!address_) {
        FreeLibrary(library);
        return nullptr;
    }
    library_ = library;
    return address_;
}

void LibraryFunction::release() {
    if (library_) FreeLibrary(library_);
    library_ = nullptr;
    address_ = nullptr;
}

}  // namespace pawlet
