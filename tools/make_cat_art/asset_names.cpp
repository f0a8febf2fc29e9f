#include "asset_names.h"

#include <algorithm>

#include "pet/action_catalogue.h"

namespace pawlet::art {

std::string with_slashes(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::vector<std::string> animation_file_names() {
    std::vector<std::string> names;
    for (const char* idle : idle_picture_names) names.push_back(with_slashes(idle));
    for (const ActionEntry& entry : action_catalogue) {
        for (int i = 1; i <= entry.frame_count; ++i) names.push_back(with_slashes(frame_file_name(entry.number, i)));
    }
    return names;
}

std::vector<std::string> sound_file_names() {
    std::vector<std::string> names;
    auto add = [&](const std::string& n) {
        if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(n);
    };
    for (const ActionEntry& entry : action_catalogue) {
        for (const char* file : entry.sound.files) {
            if (file) add(file);
        }
        if (entry.sound.random_fart) {
            for (char digit = '1'; digit <= '3'; ++digit) add(std::string("fart00") + digit + ".wav");
        }
    }
    return names;
}

}  // namespace pawlet::art
