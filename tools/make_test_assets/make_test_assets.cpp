// Writes the synthetic asset set of the end-to-end tests into the folder given on the command
// line: animations/ with every frame file of the catalogue and the three blink pictures, each a
// picture whose code the harness reads back from screenshots, and sounds/ with a tone of its own
// for every sound file the catalogue names, listed with its frequency and length in tones.txt.
// manifest.txt, written last, lists every file.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "catalogue_path.h"
#include "frame_picture.h"
#include "jpeg_writer.h"
#include "pet/action_catalogue.h"
#include "wav_writer.h"

namespace fs = std::filesystem;
using namespace pawlet;
using namespace pawlet::test_assets;

namespace {

constexpr int jpeg_quality = 92;

void write_frame(const fs::path& root, const std::string& name, int action, int index,
                 std::vector<std::string>& written) {
    const std::string rel = "animations/" + tool_files::portable_path(name);
    write_jpeg(root / rel, frame_picture(action, index), jpeg_quality);
    written.push_back(rel);
}

std::set<std::string> sound_names() {
    const std::vector<std::string> names = all_sound_file_names();
    return {names.begin(), names.end()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_test_assets OUTPUT_DIR\n");
        return 2;
    }
    try {
        const fs::path root = argv[1];
        fs::remove_all(root / "animations");
        fs::remove_all(root / "sounds");
        fs::create_directories(root / "sounds");
        std::vector<std::string> written;
        for (std::size_t i = 0; i < idle_picture_names.size(); ++i) {
            write_frame(root, idle_picture_names[i], idle_action, static_cast<int>(i), written);
        }
        for (const ActionEntry& entry : action_catalogue) {
            for (int i = 1; i <= entry.frame_count; ++i) {
                write_frame(root, frame_file_name(entry.number, i), entry.number, i, written);
            }
        }
        // Tones 200 Hz apart, in name order, tell the sounds apart in a recording. The purr
        // is long, so that it still plays when the next action's sound starts.
        std::ofstream tones(root / "tones.txt");
        double frequency = 400;
        for (const std::string& name : sound_names()) {
            const double seconds = name == "purr.wav" ? 4.0 : 0.3;
            write_tone_wav(root / "sounds" / name, frequency, seconds);
            tones << name << ' ' << frequency << ' ' << seconds << '\n';
            written.push_back("sounds/" + name);
            frequency += 200;
        }
        if (!tones.flush()) throw std::runtime_error("cannot write tones.txt");
        std::ofstream manifest(root / "manifest.txt");
        for (const std::string& rel : written) manifest << rel << '\n';
        if (!manifest) throw std::runtime_error("cannot write manifest.txt");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_test_assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
