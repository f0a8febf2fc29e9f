// The program's own resources, read from the built pawlet.exe beside the tests' folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <span>
#include <string>

#include "assets/resource_ids.h"
#include "formats/cursor_file.h"
#include "formats/embedded_block.h"
#include "input/embedded_cursors.h"
#include "shell/pointer_choice.h"

namespace pawlet {
namespace {

std::wstring program_path() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L'\\'));          // the tests' folder
    path.resize(path.find_last_of(L'\\') + 1);      // the build folder
    return path + L"pawlet.exe";
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

TEST(ProgramResources, IconGroupHasFiveSizesAt32Bits) {
    HMODULE exe = LoadLibraryExW(program_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC group = FindResourceW(exe, L"DEFAULT_ICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    const auto* header = static_cast<const GroupIconHeader*>(LockResource(LoadResource(exe, group)));
    ASSERT_EQ(header->count, 5);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    std::set<int> sizes;
    for (int i = 0; i < header->count; ++i) {
        sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
        EXPECT_EQ(entries[i].bit_count, 32) << "image " << i;
        EXPECT_EQ(entries[i].width, entries[i].height);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64, 128}));
    FreeLibrary(exe);
}

#pragma pack(push, 2)
struct GroupCursorEntry {
    WORD width, height;  // the height doubled, as in the image's header
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::span<const std::uint8_t> resource_bytes(HMODULE module, int id, int type) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (!found) return {};
    return {static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found))), SizeofResource(module, found)};
}

TEST(ProgramResources, HandIsACursorGroupOfOne32PixelMonochromeImage) {
    HMODULE exe = LoadLibraryExW(program_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const auto group = resource_bytes(exe, PAWLET_RES_HAND_CURSOR, 12 /* RT_GROUP_CURSOR */);
    ASSERT_GE(group.size(), sizeof(GroupIconHeader) + sizeof(GroupCursorEntry));
    const auto* header = reinterpret_cast<const GroupIconHeader*>(group.data());
    EXPECT_EQ(header->type, 2) << "a cursor group";
    ASSERT_EQ(header->count, 1);
    const auto* entry = reinterpret_cast<const GroupCursorEntry*>(header + 1);
    EXPECT_EQ(entry->width, hand_pointer_side);
    EXPECT_EQ(entry->bit_count, 1);
    // The image itself starts with its hotspot.
    const auto image = resource_bytes(exe, entry->id, 1 /* RT_CURSOR */);
    ASSERT_GE(image.size(), 4u);
    EXPECT_EQ(image[0] | image[1] << 8, hand_pointer_hotspot_x);
    EXPECT_EQ(image[2] | image[3] << 8, hand_pointer_hotspot_y);
    FreeLibrary(exe);
}

TEST(ProgramResources, EachPictureCursorIsAnEmbeddedBlockInTheOrderOfItsNumber) {
    HMODULE exe = LoadLibraryExW(program_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    for (std::size_t i = 0; i < embedded_cursors.size(); ++i) {
        SCOPED_TRACE(embedded_cursors[i].name);
        const auto block = parse_embedded_block(resource_bytes(exe, PAWLET_RES_CURSOR_CLEAVER + static_cast<int>(i), 10));
        ASSERT_TRUE(block) << failure_name(block.failure());
        EXPECT_EQ(block->size(), embedded_cursor_file_size);
        const auto cursor = parse_cursor_file(*block);
        ASSERT_TRUE(cursor) << failure_name(cursor.failure());
        EXPECT_EQ(cursor->hotspot_x, embedded_cursors[i].hotspot_x);
        EXPECT_EQ(cursor->hotspot_y, embedded_cursors[i].hotspot_y);
    }
    FreeLibrary(exe);
}

TEST(ProgramResources, VersionBlockIsChinesePrcInUnicode) {
    const std::wstring path = program_path();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    // The project's version (1.0.0.0 as released).
    const DWORD version_ms = (PAWLET_VERSION_MAJOR << 16) | PAWLET_VERSION_MINOR;
    const DWORD version_ls = PAWLET_VERSION_PATCH << 16;
    EXPECT_EQ(fixed->dwFileVersionMS, version_ms);
    EXPECT_EQ(fixed->dwFileVersionLS, version_ls);
    EXPECT_EQ(fixed->dwProductVersionMS, version_ms);
    EXPECT_EQ(fixed->dwProductVersionLS, version_ls);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);

    for (const wchar_t* field : {L"FileVersion", L"ProductVersion", L"FileDescription", L"ProductName",
                                 L"CompanyName", L"Comments", L"LegalCopyright"}) {
        wchar_t* text = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + field;
        EXPECT_TRUE(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) &&
                    length > 1)
            << "missing " << std::string(key.begin(), key.end());
        if (std::wstring(field).find(L"Version") != std::wstring::npos && text) {
            EXPECT_EQ(std::wstring(text), PAWLET_VERSION_TEXT);
        }
    }
}

}  // namespace
}  // namespace pawlet
