#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pawlet {

inline constexpr int idle_action = 0;
inline constexpr int first_action_number = 1;
inline constexpr int last_action_number = 17;

// How an action's sound cue is made up (the files live directly in sounds_dir).
struct SoundCue {
    std::array<const char*, 2> files{};  // played in this order, all at once; unused slots null
    bool random_fart = false;            // "fart00" + a random digit 1..3 + ".wav" instead
};

struct ActionEntry {
    int number;                      // 1..17
    const char* name;                // the action's folder name
    const char* frame_prefix;        // relative to animations_dir, ends in "00"
    int frame_count;
    std::optional<int> cue_delay_ms; // none: the sound-sync timer is left alone
    SoundCue sound;
};

// The catalogue; action_catalogue[n - 1] is action n.
extern const std::array<ActionEntry, 17> action_catalogue;

// Entry of action 1..17, or null for any other number.
const ActionEntry* find_action(int number);

// The idle cycle's three pictures, relative to animations_dir.
extern const std::array<const char*, 3> idle_picture_names;

// Two-digit frame-number text of frame index i (1..frame_count) of an action: 01..N for action 1,
// 00..08 then 10..N for the others. Empty when the number would not fit in two digits.
std::string frame_number_text(int action, int index);

// Relative file name of frame index i (1..frame_count): prefix + number text + ".jpg".
// Empty for an unknown action or an index outside 1..frame_count.
std::string frame_file_name(int action, int index);

// The random fart's file for digit 1..3: "fart00" + digit + ".wav".
std::string fart_file_name(int digit);

// Every sound file some cue can play, each once, in catalogue order.
std::vector<std::string> all_sound_file_names();

// Every picture the pet can read, relative to animations_dir: the three idle pictures, then each
// action's frames in catalogue and playing order.
std::vector<std::string> all_frame_file_names();

}  // namespace pawlet
