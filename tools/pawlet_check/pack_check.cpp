#include "pack_check.h"

#include <algorithm>
#include <set>

#include "formats/jpeg_decode.h"
#include "formats/wav_file.h"
#include "pack_folder.h"
#include "shell/layout.h"

namespace pawlet::check {
namespace {

using pack::FileKind;

const Rect& box_bounds() { return main_window_layout[animation_box].bounds; }

std::string size_text(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

// The box draws a frame at its client origin at natural size, whatever its size: a smaller frame
// leaves the background showing right of and below it, a larger one is cut. It still plays, so
// this is a warning.
std::string wrong_size_reason(const Picture& picture) {
    const bool smaller = picture.width < expected_frame_width() || picture.height < expected_frame_height();
    const bool larger = picture.width > expected_frame_width() || picture.height > expected_frame_height();
    std::string reason = "is " + size_text(picture.width, picture.height) + ", frames are " +
                         size_text(expected_frame_width(), expected_frame_height()) + ": drawn at the top left";
    if (smaller) reason += ", the background shows beside it";
    if (larger) reason += ", cut at the box's edge";
    return reason;
}

void check_file(const pack::PackFile& file, const std::filesystem::path& path, PackReport& report) {
    const auto bytes = pack::read_pack_file(path);
    auto add = [&](Severity severity, const char* kind, std::string reason) {
        report.problems.push_back({severity, kind, file.name, std::move(reason)});
    };
    if (!bytes) {
        add(Severity::error, "unreadable", "cannot be read");
        return;
    }
    if (file.kind == FileKind::frame) {
        const auto picture = decode_jpeg(*bytes);
        if (!picture)
            add(Severity::error, "undecodable",
                std::string("not a JPEG the pet can show (") + failure_name(picture.failure()) + ")");
        else if (picture->width != expected_frame_width() || picture->height != expected_frame_height())
            add(Severity::warning, "wrong_size", wrong_size_reason(*picture));
    } else {
        const auto sound = parse_wav_file(*bytes);
        if (!sound)
            add(Severity::error, "unplayable",
                std::string("not a WAV the pet can play (") + failure_name(sound.failure()) + ")");
    }
}

}  // namespace

int PackReport::count(Severity severity) const {
    return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                          [severity](const Problem& p) { return p.severity == severity; }));
}

int expected_frame_width() { return box_bounds().width(); }
int expected_frame_height() { return box_bounds().height(); }

PackReport check_pack(const std::filesystem::path& folder) {
    const pack::PackFolder pack(folder);
    const std::vector<pack::PackFile> expected = pack::expected_pack_files();
    PackReport report;
    report.files_expected = static_cast<int>(expected.size());

    // A folder that is not there at all is one problem, not hundreds.
    for (const char* sub : {pack::frames_folder, pack::sounds_folder}) {
        if (!pack.has_subfolder(sub))
            report.problems.push_back({Severity::error, "missing_folder", std::string(sub) + "/",
                                       sub == std::string(pack::frames_folder)
                                           ? "missing folder: the pet shows no cat, only the background"
                                           : "missing folder: the pet plays no sound"});
    }

    std::set<std::string> expected_keys;
    for (const pack::PackFile& file : expected) {
        const auto path = pack.find(file.name);
        if (path) {
            ++report.files_found;
            expected_keys.insert(pack::generic_text(path->lexically_relative(folder)));
            check_file(file, *path, report);
            continue;
        }
        const char* sub = file.kind == FileKind::frame ? pack::frames_folder : pack::sounds_folder;
        if (!pack.has_subfolder(sub)) continue;
        report.problems.push_back({Severity::error, "missing", file.name,
                                   file.kind == FileKind::frame
                                       ? "missing: the box shows its background for that step"
                                       : "missing: its cue plays nothing"});
    }
    for (const std::string& found : pack.files())
        if (!expected_keys.count(found))
            report.problems.push_back({Severity::warning, "extra", found, "not a file the pet reads"});
    return report;
}

}  // namespace pawlet::check
