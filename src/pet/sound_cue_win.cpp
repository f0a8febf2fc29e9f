#include "pet/sound_cue_win.h"

#include <windows.h>

#include "formats/wav_file.h"
#include "pet/sound_cue.h"
#include "winkit/file_read_win.h"

namespace pawlet {
namespace {
// Past any file that holds no more than longest_sound_samples: the read of a huge file fails
// cleanly instead of exhausting a 32-bit process's memory.
constexpr std::int64_t largest_sound_file = std::int64_t{64} << 20;
}  // namespace

void play_sound_cue(WindowTimer& sound_sync_timer, int current_action,
                    const std::wstring& sounds_dir, SoundPlayer& player) {
    sound_sync_timer.set_period(0);
    play_sound_files(sounds_dir, sound_cue_files(current_action, GetTickCount()), player);
}

void play_sound_files(const std::wstring& sounds_dir, const std::vector<std::string>& file_names,
                      SoundPlayer& player) {
    std::vector<Sound> sounds;
    for (const std::string& name : file_names) {
        // The file's bytes go at the end of the statement.
        auto sound = parse_wav_file(read_whole_file(sounds_dir, name, largest_sound_file)).as_optional();
        if (sound) sounds.push_back(std::move(*sound));
    }
    if (!sounds.empty()) player.play(std::move(sounds));
}

}  // namespace pawlet
