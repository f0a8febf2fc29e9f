#include "winkit/wave_out_win.h"

#include <utility>

namespace pawlet {
namespace {
// The device sets WHDR_DONE from its own thread.
bool header_played(const WAVEHDR& header) {
    return (static_cast<const volatile DWORD&>(header.dwFlags) & WHDR_DONE) != 0;
}
}  // namespace

WaveOutCalls system_wave_out_calls() {
    return {&waveOutOpen, &waveOutPrepareHeader, &waveOutUnprepareHeader,
            &waveOutWrite, &waveOutReset,        &waveOutClose};
}

std::unique_ptr<WaveOutStream> WaveOutStream::open(const WaveOutCalls& calls, int sample_rate,
                                                   int channels, std::size_t buffer_frames,
                                                   std::size_t buffer_count, HANDLE buffer_done) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(sample_rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    HWAVEOUT device = nullptr;
    if (calls.open(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(buffer_done), 0,
                   CALLBACK_EVENT) != MMSYSERR_NOERROR ||
        !device)
        return nullptr;

    std::unique_ptr<WaveOutStream> stream(new WaveOutStream(calls, device, buffer_count));
    for (Buffer& buffer : stream->buffers_) {
        buffer.samples.assign(buffer_frames * static_cast<std::size_t>(channels), 0);
        buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
        buffer.header.dwBufferLength = static_cast<DWORD>(buffer.samples.size() * sizeof(std::int16_t));
        if (calls.prepare_header(device, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR)
            return nullptr;
        buffer.prepared = true;
    }
    return stream;
}

WaveOutStream::WaveOutStream(const WaveOutCalls& calls, HWAVEOUT device, std::size_t buffer_count)
    : calls_(calls), device_(device), buffers_(buffer_count) {}

WaveOutStream::~WaveOutStream() {
    calls_.reset(device_);
    bool released = true;
    for (Buffer& buffer : buffers_) {
        if (buffer.prepared &&
            calls_.unprepare_header(device_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR)
            released = false;
    }
    if (calls_.close(device_) != MMSYSERR_NOERROR) released = false;
    // A device that would not give its buffers back may still touch them: they stay allocated.
    if (!released) new std::vector<Buffer>(std::move(buffers_));
}

void WaveOutStream::collect_played() {
    for (Buffer& buffer : buffers_) {
        if (buffer.queued && header_played(buffer.header)) {
            buffer.queued = false;
            ++played_;
        }
    }
}

std::span<std::int16_t> WaveOutStream::free_buffer() {
    collect_played();
    handed_out_ = nullptr;
    for (Buffer& buffer : buffers_) {
        if (!buffer.queued) {
            handed_out_ = &buffer;
            return buffer.samples;
        }
    }
    return {};
}

bool WaveOutStream::queue_buffer() {
    Buffer* buffer = std::exchange(handed_out_, nullptr);
    if (!buffer) return false;
    buffer->queued = true;
    if (calls_.write(device_, &buffer->header, sizeof buffer->header) == MMSYSERR_NOERROR)
        return true;
    buffer->queued = false;
    return false;
}

std::size_t WaveOutStream::queued() {
    collect_played();
    std::size_t count = 0;
    for (const Buffer& buffer : buffers_) count += buffer.queued ? 1 : 0;
    return count;
}

std::size_t WaveOutStream::played() {
    collect_played();
    return played_;
}

}  // namespace pawlet
