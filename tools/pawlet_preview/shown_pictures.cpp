#include "shown_pictures.h"

#include <utility>

#include "pet/action_catalogue.h"
#include "pet/action_engine.h"

namespace pawlet::preview {
namespace {

// Waits only move the clock; the one "message" is the request of the action, during the first
// blink picture, as a click would make it.
class VirtualClock : public EngineHost {
public:
    struct Set {
        long time;
        std::string name;
    };

    ActionEngine* engine = nullptr;
    int action = 0;
    long now = 0;
    long end = 0;
    std::vector<Set> sets;

    bool window_visible() override { return now < end; }

    void wait(int milliseconds, bool (*return_early)(const void*), const void* context) override {
        if (action != 0 && engine) {
            now += 1;
            engine->start_action(std::exchange(action, 0));
            if (return_early && return_early(context)) return;
            now += milliseconds - 1;
            return;
        }
        now += milliseconds;
    }

    void show_picture_file(std::string_view relative_name) override { sets.push_back({now, std::string(relative_name)}); }
    void set_sound_timer_period(int) override {}
};

}  // namespace

std::vector<ShownPicture> shown_pictures(int action) {
    const ActionEntry* entry = find_action(action);
    VirtualClock clock;
    ActionEngine engine(clock);
    clock.engine = &engine;
    clock.action = entry ? action : 0;
    // Long enough for the action and one whole idle cycle after it.
    const long cycle = ActionEngine::blink_open_ms + ActionEngine::blink_half_ms + ActionEngine::idle_pause_ms;
    clock.end = (entry ? entry->frame_count * ActionEngine::frame_wait_ms : 0) + 2 * cycle;
    engine.run_action_loop(idle_action);

    // From the action's first frame (or the first picture) to the first blink picture after it.
    const std::string first = entry ? frame_file_name(action, 1) : idle_picture_names[0];
    std::vector<ShownPicture> shown;
    bool started = false;
    for (std::size_t i = 0; i + 1 < clock.sets.size(); ++i) {
        const auto& set = clock.sets[i];
        if (!started && set.name != first) continue;
        started = true;
        const int hold = static_cast<int>(clock.sets[i + 1].time - set.time);
        if (hold > 0) shown.push_back({set.name, hold});
        const bool back_to_idle = entry ? set.name == idle_picture_names[0] : set.name == idle_picture_names[2];
        if (back_to_idle && hold > 0) break;
    }
    return shown;
}

}  // namespace pawlet::preview
