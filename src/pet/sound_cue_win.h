#pragma once
#include <string>
#include <vector>

#include "media/sound_player.h"
#include "winkit/window_timer_win.h"

namespace pawlet {

// Handler of the sound-sync timer's tick. The timer is a one-shot: the tick stops it first, so
// each cue the engine arms fires once; then the sound files of `current_action` start together.
void play_sound_cue(WindowTimer& sound_sync_timer, int current_action,
                    const std::wstring& sounds_dir, SoundPlayer& player);

// Reads each sounds_dir + file name whole, releasing the file's bytes once its samples are out,
// and hands all the samples to the player in one go, so that the sounds start on the same frame;
// returns at once. A missing, unreadable or unplayable file plays nothing.
void play_sound_files(const std::wstring& sounds_dir, const std::vector<std::string>& file_names,
                      SoundPlayer& player);

}  // namespace pawlet
