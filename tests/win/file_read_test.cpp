// Reading a whole file: what reads whole, what reads as empty, and paths past the classic limit.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "winkit/file_read_win.h"
#include "winkit/handles_win.h"
#include "winkit/long_path.h"

namespace pawlet {
namespace {

// A folder by its plain path, as the program would name it, and by its \\?\ form, which the
// test uses to make things at any length without relying on the code under test.
struct Place {
    std::wstring plain, extended;

    Place operator/(const std::wstring& name) const {
        return {plain + L"\\" + name, extended + L"\\" + name};
    }
};

std::vector<std::uint8_t> sample_bytes(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}

std::wstring temp_dir() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(temp, n - 1);  // no final '\'
}

class ReadWholeFile : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring temp = temp_dir();
        ASSERT_TRUE(temp.size() > 2 && temp[1] == L':') << "the temp folder is not on a drive";
        name_ = L"pawlet-file-read-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++folders_made_);
        root_ = Place{temp, L"\\\\?\\" + temp} / name_;
        ASSERT_TRUE(make_folder(root_));
    }

    void TearDown() override {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            const BOOL removed = it->is_folder ? RemoveDirectoryW(it->extended.c_str())
                                               : DeleteFileW(it->extended.c_str());
            const DWORD error = removed ? 0 : GetLastError();
            EXPECT_TRUE(removed) << "left behind, error " << error;
        }
    }

    bool make_folder(const Place& folder) {
        if (!CreateDirectoryW(folder.extended.c_str(), nullptr)) return false;
        created_.push_back({folder.extended, true});
        return true;
    }

    // The file's plain path; empty when it could not be written.
    std::wstring put_file(const Place& file, const std::vector<std::uint8_t>& bytes) {
        FileHandle out(CreateFileW(file.extended.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (out.get() == INVALID_HANDLE_VALUE) return {};
        created_.push_back({file.extended, false});
        DWORD written = 0;
        if (!bytes.empty() && (!WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                          &written, nullptr) ||
                               written != bytes.size()))
            return {};
        return file.plain;
    }

    // A file below `base` in nested folders, 60 characters a name, whose own path reaches the
    // classic limit, read by its plain path.
    void expect_deep_file_reads_whole(const Place& base) {
        Place folder = base;
        for (wchar_t letter = L'a'; folder.plain.size() < classic_path_limit; ++letter) {
            folder = folder / std::wstring(60, letter);
            ASSERT_TRUE(make_folder(folder)) << "error " << GetLastError();
        }
        const std::vector<std::uint8_t> bytes = sample_bytes(5000);
        const std::wstring path = put_file(folder / L"frame0001.jpg", bytes);
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(read_whole_file(path), bytes);
    }

    // A share that reaches a folder of ours: the administrative share of the temp folder's
    // drive on Windows; under Wine, which serves \\server\share from the prefix's folder
    // dosdevices\unc\server\share, a share folder made there. Empty when neither is there.
    Place make_share() {
        const std::wstring admin = L"localhost\\" + root_.plain.substr(0, 1) + L"$" +
                                   root_.plain.substr(2);
        const DWORD attributes = GetFileAttributesW((L"\\\\" + admin).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return share_place(admin);

        wchar_t prefix[MAX_PATH];
        const DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
        if (n == 0 || n >= MAX_PATH || prefix[0] != L'/') return {};
        std::wstring unix_dir = L"Z:" + std::wstring(prefix, n);  // Wine's Z: is the Unix root
        for (wchar_t& c : unix_dir)
            if (c == L'/') c = L'\\';
        const Place servers = Place{unix_dir, L"\\\\?\\" + unix_dir} / L"dosdevices" / L"unc";
        if (!make_folder_if_missing(servers) || !make_folder_if_missing(servers / L"localhost") ||
            !make_folder(servers / L"localhost" / name_))
            return {};
        return share_place(L"localhost\\" + name_);
    }

    Place root_;

private:
    static Place share_place(const std::wstring& server_and_path) {
        return {L"\\\\" + server_and_path, L"\\\\?\\UNC\\" + server_and_path};
    }

    bool make_folder_if_missing(const Place& folder) {
        return make_folder(folder) || GetLastError() == ERROR_ALREADY_EXISTS;
    }

    struct Made {
        std::wstring extended;
        bool is_folder;
    };
    std::vector<Made> created_;
    std::wstring name_;
    inline static int folders_made_ = 0;
};

TEST_F(ReadWholeFile, ReadsEveryByte) {
    const std::vector<std::uint8_t> bytes = sample_bytes(3 * 65536 + 7);
    const std::wstring path = put_file(root_ / L"frame0001.jpg", bytes);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(read_whole_file(path), bytes);
}

TEST_F(ReadWholeFile, MissingEmptyOrFolderReadsAsEmpty) {
    const std::wstring empty_file = put_file(root_ / L"empty.jpg", {});
    ASSERT_FALSE(empty_file.empty());
    ASSERT_TRUE(make_folder(root_ / L"folder.jpg"));
    struct Case {
        const char* what;
        std::wstring path;
    };
    const std::vector<Case> cases = {
        {"missing file", (root_ / L"missing.jpg").plain},
        {"file in a missing folder", (root_ / L"missing" / L"a.jpg").plain},
        {"empty file", empty_file},
        {"folder", (root_ / L"folder.jpg").plain},
    };
    for (const Case& c : cases) EXPECT_TRUE(read_whole_file(c.path).empty()) << c.what;
}

TEST_F(ReadWholeFile, FileHeldWithoutSharingReadsAsEmptyUntilReleased) {
    const std::vector<std::uint8_t> bytes = sample_bytes(1000);
    const std::wstring path = put_file(root_ / L"held.jpg", bytes);
    ASSERT_FALSE(path.empty());
    {
        FileHandle holder(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        EXPECT_TRUE(read_whole_file(path).empty());
    }
    EXPECT_EQ(read_whole_file(path), bytes);
}

TEST_F(ReadWholeFile, FileOpenElsewhereForSharedReadingReadsWhole) {
    const std::vector<std::uint8_t> bytes = sample_bytes(1000);
    const std::wstring path = put_file(root_ / L"shared.jpg", bytes);
    ASSERT_FALSE(path.empty());
    FileHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(reader.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(read_whole_file(path), bytes);
}

TEST_F(ReadWholeFile, FileOverTheSizeCapReadsAsEmpty) {
    const Place big = root_ / L"big.jpg";
    ASSERT_FALSE(put_file(big, {}).empty());
    {
        FileHandle file(CreateFileW(big.extended.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
        // Sparse where the file system allows it, so the GiB takes no disk space; extending the
        // end writes nothing either way.
        DWORD ignored = 0;
        DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER end{};
        end.QuadPart = largest_readable_file + 1;
        ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }
    EXPECT_TRUE(read_whole_file(big.plain).empty());
}

TEST_F(ReadWholeFile, FileBeyondTheClassicPathLimitReadsWhole) {
    expect_deep_file_reads_whole(root_);
}

TEST_F(ReadWholeFile, FileBeyondTheClassicPathLimitOnAShareReadsWhole) {
    const Place share = make_share();
    if (share.plain.empty()) GTEST_SKIP() << "no share reaches a folder of ours here";
    expect_deep_file_reads_whole(share);
}

}  // namespace
}  // namespace pawlet
