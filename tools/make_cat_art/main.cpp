// make_cat_art: draws and synthesises Pawlet's default assets.
//   make_cat_art --art DIR      the background picture, the icon group and the cat's mask
#include <cstring>
#include <iostream>
#include <string_view>

#include "art_files.h"

namespace {

int usage() {
    std::cerr << "usage: make_cat_art --art DIR\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    const std::string_view mode = argv[1];
    if (mode == "--art") return pawlet::art::write_program_art(argv[2]) ? 0 : 1;
    return usage();
}
