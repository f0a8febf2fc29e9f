// The skins the build made: the sizes the program's table gives, each a skin the engine accepts.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fixtures/skin_sizes.h"
#include "formats/skin_file.h"

namespace pawlet {
namespace {


std::vector<std::uint8_t> read_skin(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "/skin%02d.she", number);
    std::ifstream in(std::string(PAWLET_SKINS_DIR) + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(BuiltSkins, HaveTheirExactSizesAndPassTheEnginesChecks) {
    std::set<std::string> names;
    for (int n = 1; n <= 33; ++n) {
        SCOPED_TRACE("skin " + std::to_string(n));
        const std::vector<std::uint8_t> bytes = read_skin(n);
        ASSERT_EQ(bytes.size(), fixtures::skin_sizes[n - 1]);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), ".SHE");
        const auto skin = parse_skin(bytes);
        ASSERT_TRUE(skin) << failure_name(skin.failure());
        EXPECT_TRUE(names.insert(skin->name.data()).second) << "a second skin named " << skin->name.data();
    }
}

}  // namespace
}  // namespace pawlet
