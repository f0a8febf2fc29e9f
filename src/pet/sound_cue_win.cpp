#include "pet/sound_cue_win.h"

namespace pawlet {

void play_sound_cue(WindowTimer& sound_sync_timer) { sound_sync_timer.set_period(0); }

}  // namespace pawlet
