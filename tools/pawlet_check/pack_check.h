#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace pawlet::check {

enum class Severity { error, warning };

struct Problem {
    Severity severity;
    std::string kind;    // missing, unreadable, undecodable, wrong_size, unplayable, extra, missing_folder
    std::string file;    // relative to the pack folder, '/'-separated; a folder ends in '/'
    std::string reason;  // one line for people
};

struct PackReport {
    int files_expected = 0;
    int files_found = 0;
    std::vector<Problem> problems;  // catalogue order, then extra files sorted

    int count(Severity severity) const;
};

// The frame size that fills the animation box exactly: its outer size, as the drawn background.
int expected_frame_width();
int expected_frame_height();

// Checks a pack folder with the pet's own JPEG decoder and WAV parser.
PackReport check_pack(const std::filesystem::path& folder);

}  // namespace pawlet::check
