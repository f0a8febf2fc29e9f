#include "pet/sound_cue.h"

#include "pet/action_catalogue.h"
#include "pet/tick_random.h"

namespace pawlet {

std::vector<std::string> sound_cue_files(int action, std::uint64_t tick_count) {
    const ActionEntry* entry = find_action(action);
    if (!entry) return {};
    if (entry->sound.random_fart) return {fart_file_name(draw_after_reseed(tick_count, 1, 3))};
    std::vector<std::string> files;
    for (const char* file : entry->sound.files)
        if (file) files.emplace_back(file);
    return files;
}

}  // namespace pawlet
