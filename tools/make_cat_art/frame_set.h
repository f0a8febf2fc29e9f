#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "scene.h"

namespace pawlet::art {

struct Frame {
    std::string relative_name;  // as the catalogue names it, with '/' between folder and file
    Scene scene;
};

// The frames of an action 1..17 in playing order, or the three blink pictures for 0.
std::vector<Frame> frames_of(int action);

// Display name of an action (its folder name), "blink" for 0.
std::string action_name(int action);

// Action number for a name, or -1.
int action_by_name(const std::string& name);

// Writes the frames of `action` below animations_dir and its contact sheet into sheets_dir.
bool write_action_frames(int action, const std::filesystem::path& animations_dir,
                         const std::filesystem::path& sheets_dir);

// The overview sheet: a few frames of every action.
bool write_overview_sheet(const std::filesystem::path& sheets_dir);

}  // namespace pawlet::art
