// make_pack_guide --write|--check DOCS: fills in, or checks, the generated parts of
// DOCS/asset-packs.md (between "<!-- generated: NAME -->" and "<!-- end of generated NAME -->")
// and DOCS/asset-pack-files.txt from the program's own tables.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "guide_tables.h"

namespace {

std::string read_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The guide with each block's lines replaced; empty when a block's markers are missing.
std::string filled_in(std::string guide, const std::string& file_name) {
    for (const auto& [name, content] : pawlet::guide::guide_blocks()) {
        const std::string start = "<!-- generated: " + name + " -->\n";
        const std::string end = "<!-- end of generated " + name + " -->";
        const auto from = guide.find(start);
        const auto to = from == std::string::npos ? from : guide.find(end, from);
        if (to == std::string::npos) {
            std::cerr << "make_pack_guide: " << file_name << " has no block \"" << name << "\"\n";
            return {};
        }
        guide.replace(from + start.size(), to - from - start.size(), content);
    }
    return guide;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "--write" && mode != "--check") {
        std::cerr << "usage: make_pack_guide --write|--check DOCS\n";
        return 2;
    }
    const std::filesystem::path docs = argv[2];
    const std::filesystem::path guide_path = docs / "asset-packs.md", list_path = docs / "asset-pack-files.txt";
    const std::string guide = read_text(guide_path);
    const std::string wanted_guide = filled_in(guide, guide_path.string());
    if (wanted_guide.empty()) return 1;
    const std::string wanted_list = pawlet::guide::file_list();
    if (mode == "--check") {
        bool same = true;
        for (const auto& [path, wanted] : {std::pair{guide_path, wanted_guide}, std::pair{list_path, wanted_list}}) {
            if (read_text(path) == wanted) continue;
            std::cerr << "make_pack_guide: " << path.string()
                      << " differs from the program's tables; run make_pack_guide --write " << docs.string() << '\n';
            same = false;
        }
        return same ? 0 : 1;
    }
    for (const auto& [path, wanted] : {std::pair{guide_path, wanted_guide}, std::pair{list_path, wanted_list}}) {
        std::ofstream out(path, std::ios::binary);
        if (!(out << wanted) || !out.flush()) {
            std::cerr << "make_pack_guide: cannot write " << path.string() << '\n';
            return 1;
        }
    }
    return 0;
}
