#include "pet/action_catalogue.h"

#include <algorithm>

namespace pawlet {

// The prefixes are used exactly as written: folder and file names follow no single pattern.
const std::array<ActionEntry, 17> action_catalogue{{
    {1, "scratch", "scratch\\cat_scratch00", 56, 1200, {{"scratch_kratzen.wav", nullptr}}},
    {2, "angry-tail", "angry-tail\\cat_angry00", 26, 500, {{"angry.wav", nullptr}}},
    {3, "cymbal", "cymbal\\cat_cymbal00", 13, 300, {{"cymbal.wav", nullptr}}},
    {4, "drink", "drink\\cat_drink00", 81, 1700, {{"pour_milk.wav", "p_drink_milk.wav"}}},
    {5, "eat", "eat\\cat_eat00", 40, 500, {{"p_eat.wav", nullptr}}},
    {6, "fart", "fart\\cat_fart00", 28, 300, {{nullptr, nullptr}, true}},
    {7, "foot-left", "foot-left\\cat_foot_left00", 30, 300, {{"p_foot3.wav", nullptr}}},
    {8, "foot-right", "foot-right\\cat_foot_right00", 30, 300, {{"p_foot4.wav", nullptr}}},
    {9, "happy", "happy\\cat_happy00", 30, 10, {{"purr.wav", nullptr}}},
    {10, "knockout", "knockout\\cat_knockout00", 80, 300, {{"p_stars2s.wav", nullptr}}},
    {11, "listen", "listen\\cat_listen00", 11, std::nullopt, {}},
    {12, "pie", "pie\\pie00", 22, 800, {{"slap2.wav", nullptr}}},
    {13, "sneeze", "sneeze\\cat_sneeze00", 30, 10, {{"p_sneeze.wav", nullptr}}},
    {14, "stomach", "stomach\\cat_stomach00", 33, 500, {{"p_meuu.wav", nullptr}}},
    {15, "happy-simple", "happy-simple\\cat_happy_simple00", 24, 500, {}},
    {16, "talk", "talk\\cat_talk00", 15, 300, {{"p_belly1.wav", nullptr}}},
    {17, "yawn", "yawn\\cat_zeh00", 30, 300, {{"p_belly2.wav", nullptr}}},
}};

const std::array<const char*, 3> idle_picture_names{
    "blink\\cat_blink0000.jpg",
    "blink\\cat_blink0001.jpg",
    "blink\\cat_blink0002.jpg",
};

const ActionEntry* find_action(int number) {
    if (number < first_action_number || number > last_action_number) return nullptr;
    return &action_catalogue[static_cast<std::size_t>(number - 1)];
}

std::string frame_number_text(int action, int index) {
    // Scratch numbers its frames 01..N. Every other action shifts the first nine down by one
    // (00..08) and then carries on with the index itself, so "09" is never asked for.
    const int number = (action == 1 || index >= 10) ? index : index - 1;
    if (number < 0 || number > 99) return {};
    return {static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
}

std::string frame_file_name(int action, int index) {
    const ActionEntry* entry = find_action(action);
    if (!entry || index < 1 || index > entry->frame_count) return {};
    return std::string(entry->frame_prefix) + frame_number_text(action, index) + ".jpg";
}

std::string fart_file_name(int digit) { return "fart00" + std::to_string(digit) + ".wav"; }

std::vector<std::string> all_sound_file_names() {
    std::vector<std::string> names;
    auto add = [&names](std::string name) {
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    };
    for (const ActionEntry& entry : action_catalogue) {
        for (const char* file : entry.sound.files)
            if (file) add(file);
        if (entry.sound.random_fart)
            for (int digit = 1; digit <= 3; ++digit) add(fart_file_name(digit));
    }
    return names;
}

std::vector<std::string> all_frame_file_names() {
    std::vector<std::string> names(idle_picture_names.begin(), idle_picture_names.end());
    for (const ActionEntry& entry : action_catalogue)
        for (int i = 1; i <= entry.frame_count; ++i) names.push_back(frame_file_name(entry.number, i));
    return names;
}

}  // namespace pawlet
