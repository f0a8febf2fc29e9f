#include "winkit/file_read_win.h"

#include <new>

#include "winkit/handles_win.h"
#include "winkit/long_path.h"

namespace pawlet {

std::vector<std::uint8_t> read_whole_file(const std::wstring& path, std::int64_t largest) {
    FileHandle file(CreateFileW(extended_length_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > largest)
        return {};
    // Below the cap a 32-bit process can still lack the room: no file, rather than an exception
    // that would end the program.
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {};
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) return {};
        done += got;
    }
    return bytes;
}

std::vector<std::uint8_t> read_whole_file(const std::wstring& dir, std::string_view ascii_name,
                                          std::int64_t largest) {
    return read_whole_file(dir + std::wstring(ascii_name.begin(), ascii_name.end()), largest);
}

}  // namespace pawlet
