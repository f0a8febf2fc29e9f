#include "pet/sound_cue_win.h"

#include <windows.h>

#include <optional>

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
    for (const std::string& file : sound_cue_files(current_action, GetTickCount()))
        play_sound_file(sounds_dir, file, player);
}

void play_sound_file(const std::wstring& sounds_dir, std::string_view file_name,
                     SoundPlayer& player) {
    // Sound file names are plain ASCII.
    const std::wstring path = sounds_dir + std::wstring(file_name.begin(), file_name.end());
    std::optional<Sound> sound;
    {
        const std::vector<std::uint8_t> file = read_whole_file(path, largest_sound_file);
        sound = parse_wav_file(file).as_optional();
    }
    if (sound) player.play(std::move(*sound));
}

}  // namespace pawlet
