#pragma once
#include <string>
#include <vector>

namespace pawlet::preview {

struct ShownPicture {
    std::string name;  // relative to animations_dir, as the catalogue writes it
    int hold_ms;       // how long it stays on the screen
};

// What the screen shows for action 1..17, from its first frame to the blink picture it ends on,
// or for 0 one idle cycle: the pet's own engine run on a virtual clock. Pictures replaced before
// the next wait never reach the screen and are left out (an action's last frame among them).
std::vector<ShownPicture> shown_pictures(int action);

}  // namespace pawlet::preview
