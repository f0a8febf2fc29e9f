#include "pet/action_engine.h"

#include "pet/action_catalogue.h"

namespace pawlet {

void ActionEngine::run_action_loop(int first_action) {
    // An unknown number would be neither played nor waited for, so the loop would spin without
    // ever dispatching a message; it starts idle instead.
    current_action_ = find_action(first_action) ? first_action : idle_action;
    while (host_.window_visible()) {
        if (action_done_) current_action_ = idle_action;
        if (current_action_ == idle_action) {
            show_action_frames();
            if (!action_busy_) idle_wait(idle_pause_ms);
            continue;
        }
        action_busy_ = true;
        if (const auto delay = find_action(current_action_)->cue_delay_ms) {
            host_.set_sound_timer_period(*delay);
        }
        show_action_frames();
        action_busy_ = false;
    }
}

void ActionEngine::start_action(int action) {
    // Callers test action_busy first; refusing here as well keeps a stray request from changing
    // the action (and so its sound) halfway through. An unknown number is dropped for the same
    // reason as in run_action_loop.
    if (action_busy_ || !find_action(action)) return;
    current_action_ = action;
    action_busy_ = true;
}

void ActionEngine::show_action_frames() {
    action_done_ = false;
    const ActionEntry* entry = find_action(current_action_);
    if (!entry) {
        show_frame_file(idle_picture_names[0]);
        if (!idle_wait(blink_open_ms)) return;
        show_frame_file(idle_picture_names[1]);
        if (!idle_wait(blink_half_ms)) return;
        show_frame_file(idle_picture_names[2]);
        return;
    }
    for (int i = 1; i <= entry->frame_count; ++i) {
        const std::string name = frame_file_name(entry->number, i);
        host_.wait(frame_wait_ms, nullptr, nullptr);
        show_frame_file(name);
    }
    action_done_ = true;
}

void ActionEngine::show_frame_file(std::string_view relative_name) {
    host_.show_picture_file(relative_name);
}

bool ActionEngine::idle_wait(int milliseconds) {
    host_.wait(milliseconds, &ActionEngine::start_requested, this);
    return !action_busy_;
}

bool ActionEngine::start_requested(const void* engine) {
    return static_cast<const ActionEngine*>(engine)->action_busy_;
}

}  // namespace pawlet
