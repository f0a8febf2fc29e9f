#pragma once
// A wave-out device that stands in for winmm's through the WaveOutCalls seam: it records every
// sample written, counts what is opened, prepared and closed, and can be missing, fail after a
// number of buffers, keep its buffers, or take its time over each one.
#include <windows.h>

#include <cstdint>
#include <atomic>
#include <mutex>
#include <set>
#include <vector>

#include "winkit/wave_out_win.h"

namespace pawlet::testing {

class FakeWaveOut {
public:
    enum class Mode {
        plays,           // each buffer is played at once
        missing,         // there is no device
        fails,           // writes fail once `writes_before_failing` buffers have gone
        keeps_buffers,   // never gives a buffer back until reset
    };

    FakeWaveOut() { current_ = this; }
    ~FakeWaveOut() { current_ = nullptr; }
    FakeWaveOut(const FakeWaveOut&) = delete;
    FakeWaveOut& operator=(const FakeWaveOut&) = delete;

    static WaveOutCalls calls() { return {&open, &prepare, &unprepare, &write, &reset, &close}; }

    void set_mode(Mode mode, int writes_before_failing = 0) {
        std::lock_guard<std::mutex> held(lock_);
        mode_ = mode;
        writes_before_failing_ = writes_before_failing;
    }
    void set_write_time(DWORD ms) { write_ms_ = ms; }

    struct Counts {
        int open_attempts, opens, closes, resets, writes, prepared;
    };
    Counts counts() {
        std::lock_guard<std::mutex> held(lock_);
        return {open_attempts_, opens_, closes_, resets_, writes_, static_cast<int>(prepared_.size())};
    }
    std::vector<std::int16_t> played() {
        std::lock_guard<std::mutex> held(lock_);
        return played_;
    }

private:
    static MMRESULT WINAPI open(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX format, DWORD_PTR callback,
                                DWORD_PTR, DWORD flags) {
        FakeWaveOut& f = *current_;
        std::lock_guard<std::mutex> held(f.lock_);
        ++f.open_attempts_;
        if (f.mode_ == Mode::missing) return MMSYSERR_NODRIVER;
        if (format->wFormatTag != WAVE_FORMAT_PCM || format->wBitsPerSample != 16 ||
            (flags & CALLBACK_TYPEMASK) != CALLBACK_EVENT)
            return WAVERR_BADFORMAT;
        ++f.opens_;
        f.event_ = reinterpret_cast<HANDLE>(callback);
        *device = reinterpret_cast<HWAVEOUT>(static_cast<std::uintptr_t>(0x5000 + f.opens_));
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI prepare(HWAVEOUT, LPWAVEHDR header, UINT) {
        FakeWaveOut& f = *current_;
        std::lock_guard<std::mutex> held(f.lock_);
        header->dwFlags |= WHDR_PREPARED;
        f.prepared_.insert(header);
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI unprepare(HWAVEOUT, LPWAVEHDR header, UINT) {
        FakeWaveOut& f = *current_;
        std::lock_guard<std::mutex> held(f.lock_);
        if (f.held_.count(header)) return WAVERR_STILLPLAYING;
        header->dwFlags &= ~static_cast<DWORD>(WHDR_PREPARED);
        f.prepared_.erase(header);
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI write(HWAVEOUT, LPWAVEHDR header, UINT) {
        FakeWaveOut& f = *current_;
        Sleep(f.write_ms_);
        std::lock_guard<std::mutex> held(f.lock_);
        if (f.mode_ == Mode::fails && f.writes_ >= f.writes_before_failing_) return MMSYSERR_ERROR;
        ++f.writes_;
        const auto* samples = reinterpret_cast<const std::int16_t*>(header->lpData);
        f.played_.insert(f.played_.end(), samples, samples + header->dwBufferLength / 2);
        header->dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
        if (f.mode_ == Mode::keeps_buffers) {
            f.held_.insert(header);
        } else {
            header->dwFlags |= WHDR_DONE;
            SetEvent(f.event_);
        }
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI reset(HWAVEOUT) {
        FakeWaveOut& f = *current_;
        std::lock_guard<std::mutex> held(f.lock_);
        ++f.resets_;
        for (WAVEHDR* header : f.held_) header->dwFlags |= WHDR_DONE;
        f.held_.clear();
        return MMSYSERR_NOERROR;
    }
    static MMRESULT WINAPI close(HWAVEOUT) {
        FakeWaveOut& f = *current_;
        std::lock_guard<std::mutex> held(f.lock_);
        if (!f.held_.empty()) return WAVERR_STILLPLAYING;
        ++f.closes_;
        return MMSYSERR_NOERROR;
    }

    static inline FakeWaveOut* current_ = nullptr;
    std::mutex lock_;
    Mode mode_ = Mode::plays;
    int writes_before_failing_ = 0;
    std::atomic<DWORD> write_ms_ = 0;
    HANDLE event_ = nullptr;
    int open_attempts_ = 0, opens_ = 0, closes_ = 0, resets_ = 0, writes_ = 0;
    std::set<WAVEHDR*> prepared_, held_;
    std::vector<std::int16_t> played_;
};

}  // namespace pawlet::testing
