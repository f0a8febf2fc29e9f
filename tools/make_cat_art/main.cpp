// make_cat_art: draws and synthesises Pawlet's default assets.
//   make_cat_art --art DIR                   the background picture, the icon group, the cat's mask
//   make_cat_art --assets DIR [--only NAME]  animations/, sounds/ and sheets/ (contact sheets);
//                                            --only redoes one action (or "blink") and its sheet
#include <iostream>
#include <string>
#include <string_view>

#include "art_files.h"
#include "frame_set.h"
#include "pet/action_catalogue.h"
#include "sound_set.h"

namespace {

namespace art = pawlet::art;

int usage() {
    std::cerr << "usage: make_cat_art --art DIR\n"
                 "       make_cat_art --assets DIR [--only ACTION]\n";
    return 2;
}

bool write_assets(const std::filesystem::path& dir, int only) {
    const auto animations = dir / "animations", sheets = dir / "sheets";
    if (only < 0) {
        // A full run starts clean, so no file of an older catalogue is left behind.
        std::error_code ec;
        std::filesystem::remove_all(animations, ec);
        std::filesystem::remove_all(dir / "sounds", ec);
    }
    for (int action = pawlet::idle_action; action <= pawlet::last_action_number; ++action) {
        if (only >= 0 && action != only) continue;
        if (!art::write_action_frames(action, animations, sheets)) return false;
    }
    if (only >= 0) return true;
    return art::write_sounds(dir / "sounds", sheets) && art::write_overview_sheet(sheets);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string_view mode = argv[1];
    const std::filesystem::path dir = argv[2];
    if (mode == "--art" && argc == 3) return art::write_program_art(dir) ? 0 : 1;
    if (mode != "--assets") return usage();
    int only = -1;
    if (argc == 5 && std::string_view(argv[3]) == "--only") {
        only = art::action_by_name(argv[4]);
        if (only < 0) {
            std::cerr << "make_cat_art: no action named " << argv[4] << "\n";
            return 2;
        }
    } else if (argc != 3) {
        return usage();
    }
    return write_assets(dir, only) ? 0 : 1;
}
