#include "winkit/file_write_win.h"

#include <algorithm>

#include <windows.h>

#include "winkit/handles_win.h"
#include "winkit/long_path.h"

namespace pawlet {

bool write_whole_file(const std::wstring& path, std::span<const std::uint8_t> bytes, unsigned long attributes) {
    const std::wstring full = extended_length_path(path);
    bool written = false;
    {
        FileHandle file(CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) return false;
        written = true;
        std::size_t at = 0;
        while (written && at < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1 << 20));
            DWORD done = 0;
            written = WriteFile(file.get(), bytes.data() + at, chunk, &done, nullptr) && done == chunk;
            at += done;
        }
    }
    if (!written) {
        DeleteFileW(full.c_str());
        return false;
    }
    return SetFileAttributesW(full.c_str(), attributes) != FALSE;
}

bool entry_exists(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(extended_length_path(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace pawlet
