#include "shell/layout.h"

namespace pawlet {
namespace {
constexpr int control_count = static_cast<int>(main_window_layout.size());

bool is_focus_target(int index) {
    const ControlLayout& c = main_window_layout[static_cast<std::size_t>(index)];
    return c.shown && c.tab_stop;
}
}  // namespace

int initial_focus_control() {
    int chosen = -1;
    for (int i = 0; i < control_count; ++i)
        if (is_focus_target(i)) chosen = i;
    return chosen;
}

int next_tab_stop(int current, bool backwards) {
    const int step = backwards ? control_count - 1 : 1;
    int index = current < 0 ? (backwards ? 0 : control_count - 1) : current;
    for (int tried = 0; tried < control_count; ++tried) {
        index = (index + step) % control_count;
        if (is_focus_target(index)) return index;
    }
    return -1;
}

}  // namespace pawlet
