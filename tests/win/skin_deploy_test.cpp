// The program's side of the skin engine, with the program's own resources linked in: the
// embedded blocks, writing the library beside the program, and finding its functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/resource_ids.h"
#include "formats/embedded_block.h"
#include "fixtures/skin_sizes.h"
#include "formats/skin_file.h"
#include "shell/skin_engine_win.h"
#include "winkit/file_read_win.h"
#include "winkit/library_function_win.h"
#include "winkit/resources_win.h"

namespace pawlet {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t library_size = 88576;

std::wstring windows_path(const char* unix_path) {
    std::wstring path = L"Z:";
    for (const char* c = unix_path; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

Bytes built_library() { return read_whole_file(windows_path(PAWLET_SKIN_ENGINE_DLL)); }

// A fresh, empty folder under the temporary folder, removed with everything in it.
struct ScratchFolder {
    std::wstring path;
    ScratchFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        path = std::wstring(temp) + L"pawlet-skin-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring entry = path + L"\\" + found.cFileName;
                if (found.cFileName[0] == L'.') continue;
                SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveDirectoryW(entry.c_str());
                else DeleteFileW(entry.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }
    std::wstring library() const { return path + L"\\SkinH_EL.dll"; }
};

void write(const std::wstring& path, const Bytes& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
}

TEST(EmbeddedBlocks, EverySkinAndTheLibraryHaveTheirSizesBehindTheHeader) {
    for (int n = 1; n <= PAWLET_SKIN_COUNT; ++n) {
        SCOPED_TRACE("skin " + std::to_string(n));
        const auto block = rcdata_resource(PAWLET_RES_SKIN_BASE + n);
        const auto bytes = parse_embedded_block(block);
        ASSERT_TRUE(bytes) << failure_name(bytes.failure());
        EXPECT_EQ(bytes->size(), fixtures::skin_sizes[n - 1]);
        EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 4), ".SHE");
        const auto skin = parse_skin(*bytes);
        EXPECT_TRUE(skin) << failure_name(skin.failure());
    }
    const auto library = parse_embedded_block(rcdata_resource(PAWLET_RES_SKIN_ENGINE));
    ASSERT_TRUE(library);
    ASSERT_EQ(library->size(), library_size);
    EXPECT_EQ(std::string(library->begin(), library->begin() + 2), "MZ");
    EXPECT_EQ(Bytes(library->begin(), library->end()), built_library()) << "the library of this build";
}

TEST(EnsureSkinEngine, WritesTheLibraryHiddenIntoAnEmptyFolder) {
    ScratchFolder folder;
    SkinEngine(folder.path).ensure_skin_engine();
    const auto embedded = *parse_embedded_block(rcdata_resource(PAWLET_RES_SKIN_ENGINE));
    EXPECT_EQ(read_whole_file(folder.library()), Bytes(embedded.begin(), embedded.end()));
    const DWORD attributes = GetFileAttributesW(folder.library().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    // Wine reports the archive flag on every file, so only the others can be checked here.
    EXPECT_FALSE(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
}

TEST(EnsureSkinEngine, LeavesAnyEntryOfTheNameAlone) {
    {
        ScratchFolder folder;
        const Bytes other = {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'};
        write(folder.library(), other);
        SetFileAttributesW(folder.library().c_str(), FILE_ATTRIBUTE_READONLY);
        SkinEngine(folder.path).ensure_skin_engine();
        EXPECT_EQ(read_whole_file(folder.library()), other);
        EXPECT_TRUE(GetFileAttributesW(folder.library().c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_FALSE(GetFileAttributesW(folder.library().c_str()) & FILE_ATTRIBUTE_HIDDEN);
    }
    {
        ScratchFolder folder;
        ASSERT_TRUE(CreateDirectoryW(folder.library().c_str(), nullptr));
        SkinEngine(folder.path).ensure_skin_engine();
        EXPECT_TRUE(GetFileAttributesW(folder.library().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_TRUE(RemoveDirectoryW(folder.library().c_str())) << "still an empty folder";
    }
}

TEST(LibrarySearch, TheSafeSearchIgnoresPathAndTheCurrentDirectory) {
    ScratchFolder folder;
    write(folder.library(), built_library());
    wchar_t old_path[32768], old_dir[MAX_PATH];
    GetEnvironmentVariableW(L"PATH", old_path, 32768);
    GetCurrentDirectoryW(MAX_PATH, old_dir);
    SetEnvironmentVariableW(L"PATH", (folder.path + L";" + old_path).c_str());

    // The plain search does find it there: the test would see the fault.
    HMODULE plain = LoadLibraryW(L"SkinH_EL.dll");
    EXPECT_NE(plain, nullptr) << "this Wine's plain search no longer reads PATH";
    if (plain) FreeLibrary(plain);
    EXPECT_EQ(load_library_safely(L"SkinH_EL.dll"), nullptr) << "found on PATH";
    SetCurrentDirectoryW(folder.path.c_str());
    EXPECT_EQ(load_library_safely(L"SkinH_EL.dll"), nullptr) << "found in the current directory";
    LibraryFunction function("SkinH_AttachRes");
    EXPECT_EQ(function.find(L"C:\\no such folder\\SkinH_EL.dll", L"SkinH_EL.dll"), nullptr);
    EXPECT_TRUE(function.library_missing());

    SetCurrentDirectoryW(old_dir);
    SetEnvironmentVariableW(L"PATH", old_path);
}

TEST(LibrarySearch, FunctionsAreFoundByNameAndTheLibraryReleasedOncePerFunction) {
    ScratchFolder folder;
    write(folder.library(), built_library());
    LibraryFunction attach("SkinH_AttachRes"), aero("SkinH_SetAero"), missing("SkinH_NoSuchThing");
    EXPECT_EQ(missing.find(folder.library(), L"SkinH_EL.dll"), nullptr);
    EXPECT_FALSE(missing.library_missing()) << "loaded, without the function";
    EXPECT_EQ(GetModuleHandleW(folder.library().c_str()), nullptr) << "a library without the function is freed again";

    const FARPROC first = attach.find(folder.library(), L"SkinH_EL.dll");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(attach.find(L"C:\\elsewhere\\SkinH_EL.dll", L"SkinH_EL.dll"), first) << "known after the first call";
    ASSERT_NE(aero.find(folder.library(), L"SkinH_EL.dll"), nullptr);
    attach.release();
    EXPECT_NE(GetModuleHandleW(folder.library().c_str()), nullptr) << "still held for the other function";
    aero.release();
    aero.release();
    missing.release();
    EXPECT_EQ(GetModuleHandleW(folder.library().c_str()), nullptr);
}

TEST(SkinEngineCalls, ApplyAndAeroLoadTheLibraryBesideTheProgramUntilReleased) {
    ScratchFolder folder;
    SkinEngine engine(folder.path);
    engine.apply_embedded_skin(0);  // no skin: a null address and 0 bytes
    engine.apply_embedded_skin(skin_to_apply);
    engine.enable_skin_aero();
    EXPECT_NE(GetModuleHandleW(folder.library().c_str()), nullptr);
    engine.release_library();
    EXPECT_EQ(GetModuleHandleW(folder.library().c_str()), nullptr);
}

}  // namespace
}  // namespace pawlet
