// make_skins: builds the skins the program carries from their readable sources.
//   make_skins <sources folder> <output folder> [--sheet <png>]
// Writes skinNN.she for each source NN-name.skin (1 to 33, every number once), padded to the
// size the source gives; with --sheet, also a contact sheet of the lower part of the window in
// each skin, and reference pictures of the program's skin for the tests. Every file is read back with the engine's own parser before it is written.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/resource_ids.h"
#include "patterns.h"
#include "shell/skins.h"
#include "skin_sheet.h"
#include "skin_source.h"
#include "skin_writer.h"
#include "write_file.h"

namespace fs = std::filesystem;
using namespace pawlet;

namespace {
constexpr int skin_count = PAWLET_SKIN_COUNT;

int fail(const std::string& message) {
    std::fprintf(stderr, "make_skins: %s\n", message.c_str());
    return 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--sheet") == 0))
        return fail("usage: make_skins <sources folder> <output folder> [--sheet <png>]");
    const fs::path sources = argv[1], out = argv[2];

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(sources))
        if (entry.path().extension() == ".skin") files.push_back(entry.path());
    std::vector<skins::SkinSource> read(skin_count);
    std::vector<bool> seen(skin_count, false);
    for (const fs::path& file : files) {
        std::string error;
        auto source = skins::read_skin_source(file, error);
        if (!source) return fail(error);
        if (source->number < 1 || source->number > skin_count || seen[static_cast<std::size_t>(source->number - 1)])
            return fail(file.string() + ": the number in its name is outside 1.." + std::to_string(skin_count) + " or taken");
        seen[static_cast<std::size_t>(source->number - 1)] = true;
        read[static_cast<std::size_t>(source->number - 1)] = std::move(*source);
    }
    for (int i = 0; i < skin_count; ++i)
        if (!seen[static_cast<std::size_t>(i)]) return fail("no source for skin " + std::to_string(i + 1));

    std::vector<Skin> parsed_skins;
    std::vector<std::vector<std::uint8_t>> files_out;
    for (skins::SkinSource& source : read) {
        const std::string label = "skin " + std::to_string(source.number);
        std::vector<std::vector<std::uint8_t>> pixels;
        for (const skins::PictureSource& p : source.pictures) {
            pixels.push_back(skins::draw_pattern(p));
            if (pixels.back().empty()) return fail(label + ": unknown pattern '" + p.pattern + "'");
        }
        for (std::size_t i = 0; i < pixels.size(); ++i)
            source.skin.pictures[i] = {source.pictures[i].width, source.pictures[i].height, pixels[i]};
        std::vector<std::uint8_t> bytes = media::encode_skin(source.skin, source.size);
        if (bytes.empty()) return fail(label + ": does not fit in " + std::to_string(source.size) + " bytes");
        const auto parsed = parse_skin(bytes);
        if (!parsed) return fail(label + ": the engine would refuse it: " + failure_name(parsed.failure()));
        files_out.push_back(std::move(bytes));
        char name[32];
        std::snprintf(name, sizeof name, "skin%02d.she", source.number);
        if (!tool_files::write_file(out / name, files_out.back())) return fail("cannot write " + (out / name).string());
        parsed_skins.push_back(*parse_skin(files_out.back()));  // pictures point into files_out
    }
    if (argc == 5) {
        const fs::path sheet = argv[4];
        if (!skins::write_skin_sheet(sheet, parsed_skins)) return fail("cannot write " + sheet.string());
        // The end-to-end tests hold the running program's skin against these.
        const fs::path reference = sheet.parent_path() / "reference";
        if (!skins::write_reference_strips(reference, parsed_skins[skin_to_apply - 1]))
            return fail("cannot write " + reference.string());
    }
    return 0;
}
