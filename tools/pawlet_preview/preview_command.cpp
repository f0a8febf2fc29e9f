#include "preview_command.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "gif_writer.h"
#include "pack_pictures.h"
#include "pet/action_catalogue.h"
#include "pet/action_engine.h"
#include "sheets.h"
#include "shown_pictures.h"

namespace pawlet::preview {
namespace {

constexpr const char* usage =
    "usage: pawlet-preview [--scale S] [--background JPEG] PACK OUT\n"
    "Writes into OUT, for the asset pack in PACK (the folder holding animations/), a contact sheet\n"
    "(NAME.png) and an animated GIF at the pet's own pace (NAME.gif) for the idle blink and each\n"
    "action, an overview of all of them (all-actions.png) and the touch regions drawn on the first\n"
    "blink picture (regions.png). --scale scales the GIFs (default 1); --background is the picture\n"
    "the box shows behind the frames (the program's own alley; default plain grey).\n";

constexpr double sheet_scale = 0.3;
constexpr int sheet_columns = 10;
constexpr double overview_scale = 0.2;
constexpr std::size_t overview_frames = 6;

std::string sound_text(const ActionEntry& entry) {
    if (!entry.cue_delay_ms) return "no sound";
    std::string files;
    if (entry.sound.random_fart) files = fart_file_name(1) + ", " + fart_file_name(2) + " or " + fart_file_name(3);
    for (const char* file : entry.sound.files)
        if (file) files += (files.empty() ? "" : " and ") + std::string(file);
    if (files.empty()) return "no sound";
    return files + " " + std::to_string(*entry.cue_delay_ms) + " ms after the start";
}

std::string file_part(const std::string& catalogue_name) {
    const auto slash = catalogue_name.find_last_of('\\');
    return catalogue_name.substr(slash == std::string::npos ? 0 : slash + 1);
}

// "0012" of "pie\\pie0012.jpg".
std::string number_part(const std::string& catalogue_name) {
    const std::string file = file_part(catalogue_name);
    return file.size() >= 8 ? file.substr(file.size() - 8, 4) : file;
}

struct Subject {
    int action;  // 0: the idle blink
    std::string name;
    std::string title;
    std::string short_title;
    std::vector<std::string> frames;  // every picture it reads, in order
};

std::vector<Subject> subjects() {
    std::vector<Subject> all;
    all.push_back({idle_action, "blink",
                   "blink (idle): " + std::to_string(ActionEngine::blink_open_ms) + ", " +
                       std::to_string(ActionEngine::blink_half_ms) + " and " +
                       std::to_string(ActionEngine::idle_pause_ms) + " ms",
                   "blink (idle)",
                   {idle_picture_names.begin(), idle_picture_names.end()}});
    for (const ActionEntry& entry : action_catalogue) {
        Subject subject{entry.number, entry.name,
                        std::to_string(entry.number) + " " + entry.name + ": " + std::to_string(entry.frame_count) +
                            " frames, one per " + std::to_string(ActionEngine::frame_wait_ms) + " ms; " +
                            sound_text(entry),
                        std::to_string(entry.number) + " " + entry.name + " (" + std::to_string(entry.frame_count) +
                            " frames)",
                        {}};
        for (int i = 1; i <= entry.frame_count; ++i) subject.frames.push_back(frame_file_name(entry.number, i));
        all.push_back(std::move(subject));
    }
    return all;
}

bool write_subject(const Subject& subject, PackPictures& pictures, double scale, const std::filesystem::path& out,
                   SheetRow& overview) {
    const std::vector<ShownPicture> shown = shown_pictures(subject.action);
    SheetRow row{subject.title, {}};
    for (const std::string& frame : subject.frames) {
        std::string caption = number_part(frame);
        const bool readable = pictures.readable(frame);
        const bool on_screen = std::any_of(shown.begin(), shown.end(), [&](const ShownPicture& p) { return p.name == frame; });
        if (!readable) caption += " missing";
        else if (!on_screen) caption += " not shown";
        row.cells.push_back({pictures.screen(frame), caption, !readable});
    }
    bool written = write_sheet(out / (subject.name + ".png"), {row}, sheet_columns, sheet_scale);

    std::vector<GifFrame> frames;
    for (const ShownPicture& picture : shown)
        frames.push_back({scale == 1.0 ? pictures.screen(picture.name) : scaled_picture(pictures.screen(picture.name), scale),
                          picture.hold_ms});
    written = write_animated_gif(out / (subject.name + ".gif"), frames) && written;

    // The overview's row: a few of the action's own pictures on the screen, evenly spread.
    std::vector<ShownPicture> own = shown;
    if (subject.action != idle_action && own.size() > 1) own.pop_back();  // the blink it ends on
    SheetRow summary{subject.short_title, {}};
    const std::size_t count = std::min(overview_frames, own.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& name = own[count > 1 ? i * (own.size() - 1) / (count - 1) : 0].name;
        summary.cells.push_back({scaled_picture(pictures.screen(name), overview_scale), number_part(name),
                                 !pictures.readable(name)});
    }
    overview = std::move(summary);
    return written;
}

std::optional<double> parse_scale(const std::string& text) {
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size() && value > 0.05 && value <= 4) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

int run_preview_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    double scale = 1;
    std::optional<Picture> background;
    std::vector<std::string> places;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out << usage;
            return 0;
        }
        if ((arg == "--scale" || arg == "--background") && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (arg == "--scale") {
                const auto parsed = parse_scale(value);
                if (!parsed) {
                    err << "pawlet-preview: --scale wants a number above 0.05 and up to 4, not " << value << '\n';
                    return 2;
                }
                scale = *parsed;
            } else if (!(background = read_jpeg_file(value))) {
                err << "pawlet-preview: " << value << ": not a JPEG picture\n";
                return 2;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            err << "pawlet-preview: unknown option " << arg << '\n' << usage;
            return 2;
        } else {
            places.push_back(arg);
        }
    }
    std::error_code ec;
    if (places.size() != 2) {
        err << usage;
        return 2;
    }
    if (!std::filesystem::is_directory(places[0], ec)) {
        err << "pawlet-preview: " << places[0] << ": not a folder\n";
        return 2;
    }
    const std::filesystem::path target(places[1]);
    std::filesystem::create_directories(target, ec);

    PackPictures pictures(places[0], std::move(background));
    std::vector<SheetRow> overview;
    bool written = true;
    for (const Subject& subject : subjects()) {
        SheetRow row;
        written = write_subject(subject, pictures, scale, target, row) && written;
        overview.push_back(std::move(row));
        if (subject.action == idle_action)
            written = write_region_map(target / "regions.png", pictures.screen(idle_picture_names[0])) && written;
        pictures.forget();
    }
    written = write_sheet(target / "all-actions.png", overview, static_cast<int>(overview_frames), 1) && written;
    if (!written) {
        err << "pawlet-preview: could not write every file into " << places[1] << '\n';
        return 1;
    }
    out << "pawlet-preview: wrote " << places[1] << "/blink.{png,gif}, 17 actions' NAME.{png,gif}, all-actions.png and regions.png\n";
    return 0;
}

}  // namespace pawlet::preview
