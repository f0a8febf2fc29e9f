#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winkit/long_path.h"

namespace pawlet {
namespace {

constexpr std::size_t limit = classic_path_limit;

// `start` padded with letters to exactly `length` characters.
std::wstring path_of_length(const std::wstring& start, std::size_t length) {
    return start + std::wstring(length - start.size(), L'a');
}

TEST(LongPath, AbsolutePathsAtTheLimitGetTheExtendedPrefix) {
    struct Case {
        const char* what;
        std::wstring path, expected;
    };
    const std::vector<Case> cases = {
        {"drive path at the limit", path_of_length(L"C:\\Games\\Pet\\", limit),
         path_of_length(L"\\\\?\\C:\\Games\\Pet\\", limit + 4)},
        {"drive path far over it", path_of_length(L"D:\\\u732b\\", 5000),
         path_of_length(L"\\\\?\\D:\\\u732b\\", 5004)},
        {"UNC path at the limit", path_of_length(L"\\\\server\\share\\Pet\\", limit),
         path_of_length(L"\\\\?\\UNC\\server\\share\\Pet\\", limit + 6)},
    };
    for (const Case& c : cases) EXPECT_EQ(extended_length_path(c.path), c.expected) << c.what;
}

TEST(LongPath, OtherPathsStayAsTheyAre) {
    struct Case {
        const char* what;
        std::wstring path;
    };
    const std::vector<Case> cases = {
        {"short drive path", L"C:\\Games\\Pet\\animations\\a.jpg"},
        {"drive path one under the limit", path_of_length(L"C:\\Games\\Pet\\", limit - 1)},
        {"short UNC path", L"\\\\server\\share\\Pet\\a.jpg"},
        {"UNC path one under the limit", path_of_length(L"\\\\server\\share\\Pet\\", limit - 1)},
        {"long prefixed drive path", path_of_length(L"\\\\?\\C:\\Games\\Pet\\", limit + 4)},
        {"long prefixed UNC path", path_of_length(L"\\\\?\\UNC\\server\\share\\", limit + 6)},
        {"long device path", path_of_length(L"\\\\.\\C:\\Pet\\", limit)},
        {"long relative path", path_of_length(L"animations\\", limit)},
        {"long drive-relative path", path_of_length(L"C:Pet\\", limit)},
        {"long path from the current drive's root", path_of_length(L"\\Pet\\", limit)},
        {"empty path", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(extended_length_path(c.path), c.path) << c.what;
}

}  // namespace
}  // namespace pawlet
