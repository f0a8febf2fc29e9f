#include "guide_tables.h"

#include <sstream>
#include <vector>

#include "input/hover_cursors.h"
#include "pack_check.h"
#include "pack_folder.h"
#include "pet/action_catalogue.h"
#include "pet/action_engine.h"

namespace pawlet::guide {
namespace {

std::string file_part(const std::string& catalogue_name) {
    return catalogue_name.substr(catalogue_name.find_last_of('\\') + 1);
}

std::string folder_part(const std::string& catalogue_name) {
    return catalogue_name.substr(0, catalogue_name.find_last_of('\\'));
}

// "a0000.jpg … a0008.jpg, a0010.jpg … a0026.jpg": runs of consecutive numbers joined.
std::string frame_ranges(const ActionEntry& entry) {
    std::vector<std::pair<int, int>> runs;  // first and last frame index of each run of numbers
    int previous_number = -2;
    for (int i = 1; i <= entry.frame_count; ++i) {
        const int number = std::stoi(frame_number_text(entry.number, i));
        if (number == previous_number + 1) runs.back().second = i;
        else runs.push_back({i, i});
        previous_number = number;
    }
    std::string text;
    for (const auto& [first, last] : runs) {
        if (!text.empty()) text += ", ";
        text += "`" + file_part(frame_file_name(entry.number, first)) + "`";
        if (last != first) text += " … `" + file_part(frame_file_name(entry.number, last)) + "`";
    }
    return text;
}

std::string sound_cell(const ActionEntry& entry) {
    std::string files;
    if (entry.sound.random_fart)
        files = "one of `" + fart_file_name(1) + "`, `" + fart_file_name(2) + "`, `" + fart_file_name(3) +
                "`, at random";
    for (const char* file : entry.sound.files)
        if (file) files += (files.empty() ? "`" : " and at once `") + std::string(file) + "`";
    return files.empty() ? "none" : files;
}

std::string files_block() {
    std::ostringstream out;
    out << "| No. | Action | Folder in `animations/` | Frame files, in playing order | Frames | Sound in `sounds/` | Sound starts after |\n"
        << "| --- | --- | --- | --- | --- | --- | --- |\n";
    out << "| – | blink (idle) | `blink` | ";
    for (std::size_t i = 0; i < idle_picture_names.size(); ++i)
        out << (i ? ", `" : "`") << file_part(idle_picture_names[i]) << '`';
    out << " | " << idle_picture_names.size() << " | none | – |\n";
    int total = static_cast<int>(idle_picture_names.size());
    for (const ActionEntry& entry : action_catalogue) {
        total += entry.frame_count;
        out << "| " << entry.number << " | " << entry.name << " | `" << folder_part(entry.frame_prefix) << "` | "
            << frame_ranges(entry) << " | " << entry.frame_count << " | " << sound_cell(entry) << " | "
            << (entry.cue_delay_ms && sound_cell(entry) != "none" ? std::to_string(*entry.cue_delay_ms) + " ms"
                                                                 : std::string("–"))
            << " |\n";
    }
    out << "\nIn all " << total << " pictures and " << all_sound_file_names().size()
        << " sounds: " << pack::expected_pack_files().size() << " files.\n";
    return out.str();
}

std::string pace_block() {
    std::ostringstream out;
    out << "| Picture | On the screen for |\n| --- | --- |\n"
        << "| `" << file_part(idle_picture_names[0]) << "` | " << ActionEngine::blink_open_ms << " ms |\n"
        << "| `" << file_part(idle_picture_names[1]) << "` | " << ActionEngine::blink_half_ms << " ms |\n"
        << "| `" << file_part(idle_picture_names[2]) << "` | " << ActionEngine::idle_pause_ms << " ms, then the cycle starts over |\n"
        << "| each frame of an action | " << ActionEngine::frame_wait_ms
        << " ms plus the time to read it; the first one " << ActionEngine::frame_wait_ms
        << " ms after the click |\n";
    return out.str();
}

std::string size_block() {
    std::ostringstream out;
    out << "Every frame is a JPEG of **" << check::expected_frame_width() << " × " << check::expected_frame_height()
        << " pixels**, the size of the animation box.\n";
    return out.str();
}

std::string regions_block() {
    std::ostringstream out;
    out << "| Region | x (pixels) | y (pixels) | Action | Cursor over it |\n| --- | --- | --- | --- | --- |\n";
    for (const TouchRegion& region : touch_regions) {
        const HoverEntry* hover = nullptr;
        for (const HoverEntry& entry : hover_cursors)
            if (entry.region == &region) hover = &entry;
        out << "| " << region.number << " | " << region.x_low + 1 << "–" << region.x_high - 1 << " | "
            << region.y_low + 1 << "–" << region.y_high - 1 << " | " << region.action << " "
            << find_action(region.action)->name;
        if (region.alternative_action)
            out << " or " << region.alternative_action << " " << find_action(region.alternative_action)->name
                << ", at random";
        out << " | " << (hover ? std::string("`") + embedded_cursors[hover->cursor].name + "`" : "the hand") << " |\n";
    }
    return out.str();
}

}  // namespace

std::map<std::string, std::string> guide_blocks() {
    return {{"files", files_block()}, {"pace", pace_block()}, {"size", size_block()}, {"regions", regions_block()}};
}

std::string file_list() {
    std::string text;
    for (const pack::PackFile& file : pack::expected_pack_files()) text += file.name + "\n";
    return text;
}

}  // namespace pawlet::guide
