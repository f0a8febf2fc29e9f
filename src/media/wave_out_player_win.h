#pragma once
#include <windows.h>

#include <vector>

#include "media/mixer.h"
#include "media/sound_player.h"
#include "winkit/exclusive_lock_win.h"
#include "winkit/handles_win.h"
#include "winkit/wave_out_win.h"

namespace pawlet {

// Plays sounds on the default wave-out device, mixed, from a thread of its own. play() only
// takes a short lock to hand the sound over; the thread is started by the first sound, opens
// the device while something plays and closes it after a few idle seconds. No device, or one
// that fails, means silence: the sounds of that moment are dropped and the next one tries again.
class WaveOutPlayer final : public SoundPlayer {
public:
    struct Settings {
        int sample_rate = 44100;
        // Four 10 ms buffers: a sound starts within about 40 ms of play() even while others play,
        // and at once on a quiet device.
        std::size_t buffer_frames = 441;
        std::size_t buffer_count = 4;
        DWORD close_after_idle_ms = 5000;
        // A device that has played nothing for this long while holding buffers has failed.
        DWORD stall_ms = 2000;
    };

    explicit WaveOutPlayer(const WaveOutCalls& calls = system_wave_out_calls());
    WaveOutPlayer(const WaveOutCalls& calls, const Settings& settings);
    // Cuts off whatever plays, closes the device and ends the thread.
    ~WaveOutPlayer() override;
    WaveOutPlayer(const WaveOutPlayer&) = delete;
    WaveOutPlayer& operator=(const WaveOutPlayer&) = delete;

    void play(std::vector<Sound> sounds) override;

    // Cuts off whatever plays and has the thread give the device back, waiting for that at most
    // timeout_ms; sounds played afterwards are ignored. For the program's end, which must not
    // hang on a device, while a device left open under Wine can crash the process's exit.
    void stop(DWORD timeout_ms);

private:
    static DWORD WINAPI thread_main(void* player);
    void run();
    // Moves the sounds handed over into the mixer; false once the player is stopping.
    bool take_new_sounds();
    // Plays until idle for close_after_idle_ms, stopping or a device failure.
    void play_on_device();

    const WaveOutCalls calls_;
    const Settings settings_;
    KernelHandle wake_;         // set by play() and by the destructor
    KernelHandle buffer_done_;  // set by the device
    KernelHandle thread_;
    bool stopped_ = false;  // play() and stop() are the main thread's

    ExclusiveLock lock_;
    std::vector<Sound> handed_over_;  // under lock_
    bool stopping_ = false;           // under lock_

    Mixer mixer_;  // the thread's alone
};

}  // namespace pawlet
