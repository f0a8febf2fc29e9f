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

}  // namespace pawlet::art
