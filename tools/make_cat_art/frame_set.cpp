#include "frame_set.h"

#include <algorithm>
#include <iostream>

#include "action_scenes.h"
#include "alley.h"
#include "cairo_handles.h"
#include "change_picker.h"
#include "catalogue_path.h"
#include "contact_sheet.h"
#include "jpeg_file.h"
#include "pet/action_catalogue.h"
#include "scene_painter.h"
#include "write_file.h"

namespace pawlet::art {
namespace {

using tool_files::portable_path;
using tool_files::write_file;

constexpr int frame_quality = 88;

cairo_surface_t* alley_picture() {
    static const Surface alley = [] {
        Surface s = make_surface(picture_width, picture_height);
        paint_alley(make_context(s.get()).get());
        return s;
    }();
    return alley.get();
}

Surface render(const Scene& scene) {
    Surface s = make_surface(picture_width, picture_height);
    paint_scene(make_context(s.get()).get(), alley_picture(), scene);
    return s;
}

// The frame's four digits, for captions; the title carries the rest of the name.
std::string frame_digits(const std::string& relative_name) {
    const auto dot = relative_name.rfind('.');
    return relative_name.substr(dot - 4, 4);
}

std::string name_pattern(const std::string& relative_name) {
    return relative_name.substr(0, relative_name.rfind('.') - 4) + "NNNN.jpg";
}

// The frames where the picture changes, side by side at real size, to judge how each reads.
bool write_change_strip(int action, const SheetRow& all, const std::filesystem::path& sheets_dir) {
    constexpr std::size_t most = 12;
    SheetRow strip{action_name(action) + ": the frames where something changes, at real size", {}, {}};
    for (std::size_t i : frames_that_change(all.pictures, most)) {
        strip.pictures.push_back(all.pictures[i]);
        strip.captions.push_back(all.captions[i] + "  (" + std::to_string(i * 50) + " ms)");
    }
    if (strip.pictures.empty()) return true;
    return write_contact_sheet(sheets_dir / "strips" / (action_name(action) + ".png"), {strip},
                               static_cast<int>(strip.pictures.size()), 1.0);
}

}  // namespace

std::vector<Frame> frames_of(int action) {
    std::vector<Frame> frames;
    if (action == idle_action) {
        for (std::size_t i = 0; i < idle_picture_names.size(); ++i) {
            frames.push_back({portable_path(idle_picture_names[i]), blink_scene(static_cast<int>(i))});
        }
        return frames;
    }
    const ActionEntry* entry = find_action(action);
    if (!entry) return frames;
    const double total = (entry->frame_count - 1) * frame_seconds;
    for (int i = 1; i <= entry->frame_count; ++i) {
        frames.push_back({portable_path(frame_file_name(action, i)), action_scene(action, (i - 1) * frame_seconds, total)});
    }
    return frames;
}

std::string action_name(int action) {
    if (action == idle_action) return "blink";
    const ActionEntry* entry = find_action(action);
    return entry ? entry->name : "";
}

int action_by_name(const std::string& name) {
    for (int a = idle_action; a <= last_action_number; ++a) {
        if (action_name(a) == name) return a;
    }
    return -1;
}

bool write_action_frames(int action, const std::filesystem::path& animations_dir,
                         const std::filesystem::path& sheets_dir) {
    std::vector<Surface> pictures;
    SheetRow row{action_name(action), {}, {}};
    for (const Frame& frame : frames_of(action)) {
        pictures.push_back(render(frame.scene));
        const auto path = animations_dir / frame.relative_name;
        if (!write_file(path, encode_jpeg(pictures.back().get(), frame_quality))) {
            std::cerr << "make_cat_art: cannot write " << path << "\n";
            return false;
        }
        row.pictures.push_back(pictures.back().get());
        row.captions.push_back(frame_digits(frame.relative_name));
        if (row.pictures.size() == 1) row.title += ":  " + name_pattern(frame.relative_name);
    }
    row.title += ",  " + std::to_string(row.pictures.size()) + (action == idle_action ? " pictures" : " frames of 50 ms");
    if (!write_contact_sheet(sheets_dir / (action_name(action) + ".png"), {row}, 8, 0.3)) return false;
    return action == idle_action || write_change_strip(action, row, sheets_dir);
}

bool write_overview_sheet(const std::filesystem::path& sheets_dir) {
    constexpr std::size_t samples = 8;
    std::vector<Surface> pictures;
    std::vector<SheetRow> rows;
    for (int action = idle_action; action <= last_action_number; ++action) {
        const auto frames = frames_of(action);
        SheetRow row{action_name(action), {}, {}};
        const std::size_t shown = std::min(samples, frames.size());
        for (std::size_t k = 0; k < shown; ++k) {
            // Evenly spread, leaving out the resting ends where there are enough frames.
            const std::size_t i = frames.size() <= samples ? k : 1 + k * (frames.size() - 3) / (samples - 1);
            pictures.push_back(render(frames[i].scene));
            row.pictures.push_back(pictures.back().get());
            row.captions.push_back(frame_digits(frames[i].relative_name));
        }
        rows.push_back(std::move(row));
    }
    return write_contact_sheet(sheets_dir / "all-actions.png", rows, static_cast<int>(samples), 0.2);
}

}  // namespace pawlet::art
