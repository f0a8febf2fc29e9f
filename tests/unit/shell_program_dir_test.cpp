#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/program_dir.h"

namespace pawlet {
namespace {

std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

TEST(ProgramDir, CutsTheModulePathAtItsLastBackslash) {
    const std::wstring deep = L"D:\\" + std::wstring(300, L'x') + L"\\pet";
    struct Case {
        std::wstring module_path;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {L"C:\\Games\\Pet\\pet.exe", L"C:\\Games\\Pet"},
        {L"C:\\pet.exe", L"C:"},
        {L"pet.exe", L""},
        {L"", L""},
        {L"\\", L""},
        {L"C:\\Games\\", L"C:\\Games"},
        {L"C:/Games/pet.exe", L""},
        {L"\\\\server\\share\\pet.exe", L"\\\\server\\share"},
        {L"\\\\?\\C:\\Games\\pet.exe", L"\\\\?\\C:\\Games"},
        {L"C:\\\u732b\\pet.exe", L"C:\\\u732b"},
        {deep + L"\\pet.exe", deep},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(program_dir_from_module_path(c.module_path), c.expected)
            << "module path \"" << narrow(c.module_path) << "\"";
    }
}

TEST(ProgramDir, AssetDirAppendsFolderBetweenBackslashes) {
    const std::wstring deep = L"D:\\" + std::wstring(300, L'x');
    struct Case {
        std::wstring program_dir, folder, expected;
    };
    const std::vector<Case> cases = {
        {L"C:\\Games\\Pet", L"animations", L"C:\\Games\\Pet\\animations\\"},
        {L"C:", L"sounds", L"C:\\sounds\\"},
        {L"", L"animations", L"\\animations\\"},
        {deep, L"sounds", deep + L"\\sounds\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(asset_dir(c.program_dir, c.folder), c.expected)
            << "\"" << narrow(c.program_dir) << "\" + \"" << narrow(c.folder) << "\"";
    }
}

TEST(ProgramDir, CurrentDirectoryIsTheFolderWithABareDriveAtItsRoot) {
    struct Case {
        std::wstring program_dir, expected;
    };
    const std::vector<Case> cases = {
        {L"C:", L"C:\\"},
        {L"\\\\?\\C:", L"\\\\?\\C:\\"},
        {L"C:\\Games\\Pet", L"C:\\Games\\Pet"},
        {L"\\\\server\\share", L"\\\\server\\share"},
        {L"\\\\server\\share\\Pet", L"\\\\server\\share\\Pet"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(current_directory_for(c.program_dir), c.expected)
            << "program dir \"" << narrow(c.program_dir) << "\"";
    }
}

}  // namespace
}  // namespace pawlet
