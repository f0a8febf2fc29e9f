#include "winkit/file_read_win.h"

#include "winkit/handles_win.h"

namespace pawlet {

std::wstring extended_length_path(const std::wstring& path) {
    const bool drive_absolute = path.size() > 2 && path[1] == L':' && path[2] == L'\\';
    if (path.size() < MAX_PATH || !drive_absolute) return path;
    return L"\\\\?\\" + path;
}

std::vector<std::uint8_t> read_whole_file(const std::wstring& path) {
    FileHandle file(CreateFileW(extended_length_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    // Frames and sounds are small; anything near 2 GiB is not one of ours.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x40000000)
        return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) return {};
        done += got;
    }
    return bytes;
}

}  // namespace pawlet
