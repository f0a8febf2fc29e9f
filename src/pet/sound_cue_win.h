#pragma once
#include <string>
#include <string_view>

#include "media/sound_player.h"
#include "winkit/window_timer_win.h"

namespace pawlet {

// Handler of the sound-sync timer's tick. The timer is a one-shot: the tick stops it first, so
// each cue the engine arms fires once; then the sound files of `current_action` start, all at
// once, from sounds_dir.
void play_sound_cue(WindowTimer& sound_sync_timer, int current_action,
                    const std::wstring& sounds_dir, SoundPlayer& player);

// Reads sounds_dir + file_name whole and hands its samples to the player, which plays them in
// the background; returns at once. A missing, unreadable or unplayable file plays nothing.
void play_sound_file(const std::wstring& sounds_dir, std::string_view file_name,
                     SoundPlayer& player);

}  // namespace pawlet
