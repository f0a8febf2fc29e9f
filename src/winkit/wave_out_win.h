#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace pawlet {

// The winmm calls of a wave-out stream. They go through this table so that a test can stand in
// for the device: one that is missing, one that fails part-way, one that records what it plays.
struct WaveOutCalls {
    MMRESULT(WINAPI* open)(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD);
    MMRESULT(WINAPI* prepare_header)(HWAVEOUT, LPWAVEHDR, UINT);
    MMRESULT(WINAPI* unprepare_header)(HWAVEOUT, LPWAVEHDR, UINT);
    MMRESULT(WINAPI* write)(HWAVEOUT, LPWAVEHDR, UINT);
    MMRESULT(WINAPI* reset)(HWAVEOUT);
    MMRESULT(WINAPI* close)(HWAVEOUT);
};

// The winmm functions themselves.
WaveOutCalls system_wave_out_calls();

// The default wave-out device, open for 16-bit PCM and fed from a ring of equal buffers. The
// device sets `buffer_done` (an auto-reset event) whenever it has played a buffer.
class WaveOutStream {
public:
    // Null when there is no device or it refuses the format.
    static std::unique_ptr<WaveOutStream> open(const WaveOutCalls& calls, int sample_rate,
                                               int channels, std::size_t buffer_frames,
                                               std::size_t buffer_count, HANDLE buffer_done);
    // Stops at once, cutting off what is queued, and closes the device.
    ~WaveOutStream();
    WaveOutStream(const WaveOutStream&) = delete;
    WaveOutStream& operator=(const WaveOutStream&) = delete;

    // The samples of a buffer the device does not hold (never queued, or played), to fill and
    // then hand over with queue_buffer(); empty while every buffer is queued.
    std::span<std::int16_t> free_buffer();
    // Queues the buffer free_buffer() gave. False when the device refuses it.
    bool queue_buffer();
    // Buffers the device holds.
    std::size_t queued();
    // Buffers the device has played since it was opened.
    std::size_t played();

private:
    struct Buffer {
        WAVEHDR header{};
        std::vector<std::int16_t> samples;
        bool prepared = false;
        bool queued = false;
    };

    WaveOutStream(const WaveOutCalls& calls, HWAVEOUT device, std::size_t buffer_count);
    // Takes back the buffers the device has played.
    void collect_played();

    WaveOutCalls calls_;
    HWAVEOUT device_;
    // Never resized: the device holds pointers to the headers.
    std::vector<Buffer> buffers_;
    Buffer* handed_out_ = nullptr;
    std::size_t played_ = 0;
};

}  // namespace pawlet
