#pragma once
#include "winkit/window_timer_win.h"

namespace pawlet {

// Handler of the sound-sync timer's tick. The timer is a one-shot: the tick stops it first, so
// each cue the engine arms fires once. The program has no wave player yet, so nothing is heard.
void play_sound_cue(WindowTimer& sound_sync_timer);

}  // namespace pawlet
