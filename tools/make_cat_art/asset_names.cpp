#include "asset_names.h"

#include "catalogue_path.h"
#include "pet/action_catalogue.h"

namespace pawlet::art {

using tool_files::portable_path;

std::vector<std::string> animation_file_names() {
    std::vector<std::string> names;
    for (const char* idle : idle_picture_names) names.push_back(portable_path(idle));
    for (const ActionEntry& entry : action_catalogue) {
        for (int i = 1; i <= entry.frame_count; ++i) names.push_back(portable_path(frame_file_name(entry.number, i)));
    }
    return names;
}

}  // namespace pawlet::art
