#pragma once
#include <string_view>

#include "pet/engine_host.h"

namespace pawlet {

// The pet's one behaviour loop: the idle blink cycle and the actions of the catalogue, paced by
// the host's message-dispatching waits. The program holds one engine for its whole life, and only
// the main window's thread touches it.
class ActionEngine {
public:
    static constexpr int frame_wait_ms = 50;
    static constexpr int blink_open_ms = 500;   // after blink0000
    static constexpr int blink_half_ms = 100;   // after blink0001
    static constexpr int idle_pause_ms = 2000;  // after blink0002

    explicit ActionEngine(EngineHost& host) : host_(host) {}
    ActionEngine(const ActionEngine&) = delete;
    ActionEngine& operator=(const ActionEngine&) = delete;

    // Plays the idle cycle and every requested action until the window is found hidden at the
    // top of a pass. A first_action outside 0..17 starts in the idle cycle.
    void run_action_loop(int first_action);

    // Requests action 1..17: sets current_action and action_busy and returns at once; the loop
    // plays it. Ignored while an action is busy and for numbers outside 1..17.
    void start_action(int action);

    // One blink cycle when current_action is 0 (cut short by a start request), otherwise every
    // frame of current_action, each after a 50 ms wait; then sets action_done.
    void show_action_frames();

    // Asks the host to show the frame file at animations_dir + relative_name.
    void show_frame_file(std::string_view relative_name);

    int current_action() const { return current_action_; }
    bool action_busy() const { return action_busy_; }
    bool action_done() const { return action_done_; }

private:
    // A wait of the idle cycle; it ends early, returning false, once a start request is pending.
    bool idle_wait(int milliseconds);
    static bool start_requested(const void* engine);

    EngineHost& host_;
    int current_action_ = 0;
    bool action_busy_ = false;
    bool action_done_ = false;
};

}  // namespace pawlet
