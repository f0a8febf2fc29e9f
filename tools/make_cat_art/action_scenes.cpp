#include "action_scenes.h"

#include <array>
#include <functional>

#include "action_list.h"

namespace pawlet::art {

Scene action_scene(int action, double seconds, double total) {
    using Script = Scene (*)(double);
    static constexpr std::array<Script, 17> scripts{
        actions::scratch, actions::angry_tail, actions::cymbal, actions::drink, actions::eat, actions::fart,
        // foot-left is the cat's own left foot, on the viewer's right.
        [](double s) { return actions::foot(s, 1); }, [](double s) { return actions::foot(s, 0); },
        actions::happy, actions::knockout, actions::listen, actions::pie, actions::sneeze, actions::stomach,
        actions::happy_simple, actions::talk, actions::yawn};
    if (action < 1 || action > 17) return {};
    // The ends are exactly the resting cat, whatever a script leaves over.
    if (seconds <= 0 || seconds >= total) return {};
    return scripts[static_cast<std::size_t>(action - 1)](seconds);
}

Scene blink_scene(int picture) {
    // Shown for 500, 100 and 2000 ms: the lids droop, shut, and the eyes stay open in the pause.
    constexpr double openness[3] = {0.45, 0.0, 1.0};
    Scene sc;
    if (picture >= 0 && picture < 3) sc.pose.eye_open = openness[picture];
    return sc;
}

}  // namespace pawlet::art
