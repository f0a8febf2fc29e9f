#include "media/wave_out_player_win.h"

#include <utility>

namespace pawlet {

WaveOutPlayer::WaveOutPlayer(const WaveOutCalls& calls) : WaveOutPlayer(calls, Settings{}) {}

WaveOutPlayer::WaveOutPlayer(const WaveOutCalls& calls, const Settings& settings)
    : calls_(calls),
      settings_(settings),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      buffer_done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      mixer_(settings.sample_rate) {}

WaveOutPlayer::~WaveOutPlayer() { stop(INFINITE); }

void WaveOutPlayer::stop(DWORD timeout_ms) {
    stopped_ = true;
    if (!thread_) return;
    {
        ExclusiveLock::Held held(lock_);
        stopping_ = true;
    }
    SetEvent(wake_.get());
    WaitForSingleObject(thread_.get(), timeout_ms);
}

void WaveOutPlayer::play(std::vector<Sound> sounds) {
    if (stopped_ || sounds.empty() || !wake_ || !buffer_done_) return;
    if (!thread_) {
        // A plain Win32 thread (see ExclusiveLock): ExitProcess may end it anywhere.
        thread_.reset(CreateThread(nullptr, 0, &WaveOutPlayer::thread_main, this, 0, nullptr));
        if (!thread_) return;
        SetThreadPriority(thread_.get(), THREAD_PRIORITY_HIGHEST);
    }
    {
        // One hand-over: the thread takes them all before it mixes the next buffer.
        ExclusiveLock::Held held(lock_);
        for (Sound& sound : sounds) handed_over_.push_back(std::move(sound));
    }
    SetEvent(wake_.get());
}

DWORD WINAPI WaveOutPlayer::thread_main(void* player) {
    static_cast<WaveOutPlayer*>(player)->run();
    return 0;
}

void WaveOutPlayer::run() {
    while (take_new_sounds()) {
        if (mixer_.playing())
            play_on_device();
        else
            WaitForSingleObject(wake_.get(), INFINITE);
    }
}

bool WaveOutPlayer::take_new_sounds() {
    std::vector<Sound> sounds;
    {
        ExclusiveLock::Held held(lock_);
        if (stopping_) return false;
        sounds.swap(handed_over_);
    }
    for (Sound& sound : sounds) mixer_.add(std::move(sound));
    return true;
}

void WaveOutPlayer::play_on_device() {
    const auto stream = WaveOutStream::open(calls_, settings_.sample_rate, Mixer::output_channels,
                                            settings_.buffer_frames, settings_.buffer_count,
                                            buffer_done_.get());
    if (!stream) {
        mixer_.clear();
        return;
    }
    DWORD last_progress = GetTickCount();
    std::size_t played = 0;
    while (take_new_sounds()) {
        // At most one round of the buffers between looks at the hand-over: a device that gives
        // buffers back at once must not keep the thread from a stop or a new sound.
        for (std::size_t i = 0; i < settings_.buffer_count && mixer_.playing(); ++i) {
            const std::span<std::int16_t> buffer = stream->free_buffer();
            if (buffer.empty()) break;
            mixer_.mix(buffer);
            if (!stream->queue_buffer()) {
                mixer_.clear();
                return;
            }
        }
        const std::size_t queued = stream->queued();
        if (queued == 0 && !mixer_.playing()) {
            // Quiet, with the device still open: a sound that comes soon starts without
            // opening it again.
            if (WaitForSingleObject(wake_.get(), settings_.close_after_idle_ms) == WAIT_TIMEOUT)
                return;
            last_progress = GetTickCount();
            continue;
        }
        if (stream->played() != played) {
            played = stream->played();
            last_progress = GetTickCount();
        } else if (GetTickCount() - last_progress > settings_.stall_ms) {
            mixer_.clear();
            return;
        }
        const HANDLE events[] = {buffer_done_.get(), wake_.get()};
        WaitForMultipleObjects(2, events, FALSE, settings_.stall_ms);
    }
}

}  // namespace pawlet
