// The WAVE stream player: a waveOut device fed from a ring of small buffers by a streaming
// thread that refills each buffer the driver hands back.
#include "devices/WaveFileDevice_win.h"

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "devices/RiffWaveParser.h"
#include "devices/StreamLayout.h"
#include "devices/WaveFormatCheck.h"

namespace {

constexpr DWORD kResetSleepMs = 100;
constexpr int kStopResetTries = 100;
constexpr int kCloseResetTries = 20;

}  // namespace

WaveFileDevice::WaveFileDevice(OwnerWindow owner) : MediaDevice(owner) {
    deviceType = kDeviceTypeWaveAudio;
    bufferCount = static_cast<std::uint32_t>(std::clamp(gSettings.wave.BufferSize, kMinBufferCount, kMaxBufferCount));
}

WaveFileDevice::~WaveFileDevice() {
    Close();
}

bool WaveFileDevice::BeginOpen(const char* fileName) {
    Close();
    bufferCount = static_cast<std::uint32_t>(std::clamp(gSettings.wave.BufferSize, kMinBufferCount, kMaxBufferCount));
    requestedBufferBytes = kRequestedBufferBytes;
    if (!fileName || !thread.Start(*this)) {
        return false;
    }
    readerOpen = reader.Open(fileName, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    return readerOpen;
}

int WaveFileDevice::Open(const char* fileName) {
    if (!BeginOpen(fileName)) {
        Close();
        return 0;
    }
    UnbufferedFileSource source(reader);
    RiffWaveLayout layout;
    if (ParseRiffWave(source, layout) != RiffWaveResult::kOk) {
        Close();
        return 0;
    }
    fileSize = layout.fileSize;
    formatSize = layout.formatSize;
    dataStart = layout.dataStart;
    if (!FinishOpen(layout.format.data(), static_cast<std::uint32_t>(layout.format.size()), layout.dataLength)) {
        Close();
        return 0;
    }
    return 1;
}

bool WaveFileDevice::FinishOpen(const void* formatBytes, std::uint32_t formatBytesSize, std::uint32_t audioLength) {
    if (!format.Allocate(formatBytesSize)) {
        return false;
    }
    std::memcpy(format.Get(), formatBytes, formatBytesSize);
    const auto* waveFormat = static_cast<const WAVEFORMATEX*>(format.Get());
    blockAlign = waveFormat->nBlockAlign;
    avgBytesPerSec = waveFormat->nAvgBytesPerSec;
    bufferLength = StreamBufferLength(requestedBufferBytes, blockAlign);
    // Whatever the file says is checked again here: the MP3 side builds its format itself.
    if (bufferLength == 0 || avgBytesPerSec < 10 || formatBytesSize < 16 ||
        !IsPlayableWaveFormat(ReadWaveFormatFields(static_cast<const std::uint8_t*>(format.Get())))) {
        return false;
    }
    dataLength = WholeBufferLength(audioLength, bufferLength);
    lengthMs = StreamBytesToMs(dataLength, avgBytesPerSec);
    timeline.SetConstantRate(avgBytesPerSec, blockAlign, dataLength);

    // A device id the system does not have falls back to the wave mapper.
    const std::int32_t wanted = gSettings.wave.DeviceID;
    outputDevice = (wanted >= 0 && static_cast<UINT>(wanted) < waveOutGetNumDevs()) ? wanted : -1;
    HWAVEOUT opened = nullptr;
    const UINT deviceId = outputDevice < 0 ? WAVE_MAPPER : static_cast<UINT>(outputDevice);
    if (waveOutOpen(&opened, deviceId, waveFormat, reinterpret_cast<DWORD_PTR>(&WaveFileDevice::WaveOutCallback),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        return false;
    }
    waveOut.Reset(opened);
    queued = 0;
    if (!AllocateBuffers()) {
        return false;
    }
    startOffset = 0;
    mode = kModeStop;
    isOpen = 1;
    return true;
}

bool WaveFileDevice::AllocateBuffers() {
    buffers.clear();
    buffers.resize(bufferCount);
    for (std::uint32_t i = 0; i < bufferCount; ++i) {
        StreamBuffer& buffer = buffers[i];
        if (!buffer.header.Allocate(sizeof(WAVEHDR)) || !buffer.data.Allocate(bufferLength)) {
            return false;
        }
        buffer.Header()->lpData = static_cast<LPSTR>(buffer.data.Get());
        buffer.Header()->dwUser = i;
    }
    return true;
}

void WaveFileDevice::FreeBuffers() {
    for (StreamBuffer& buffer : buffers) {
        // A buffer the driver still holds (its close failed) is given up rather than freed
        // under it.
        const WAVEHDR* header = buffer.Header();
        if (header && (header->dwFlags & WHDR_INQUEUE) != 0) {
            buffer.header.Release();
            buffer.data.Release();
        }
    }
    buffers.clear();
}

void WaveFileDevice::Close() {
    if (waveOut) {
        {
            CriticalSectionLock hold(lock);
            mode = kModeNotReady;
            waveOutReset(waveOut.Get());
        }
        ResetUntilReturned(kCloseResetTries);
        waveOut.Reset();
        CriticalSectionLock hold(lock);
        queued = 0;
    }
    thread.Stop();
    FreeBuffers();
    format.Free();
    reader.Close();
    readerOpen = false;
    mode = kModeNotReady;
    isOpen = 0;
    lengthMs = 0;
    startOffset = 0;
    dataLength = 0;
    timeline = StreamTimeline();
}

std::uint32_t WaveFileDevice::Queued() {
    CriticalSectionLock hold(lock);
    return queued;
}

void WaveFileDevice::ResetUntilReturned(int tries) {
    for (int i = 0; i < tries && Queued() != 0; ++i) {
        Sleep(kResetSleepMs);
        CriticalSectionLock hold(lock);
        waveOutReset(waveOut.Get());
    }
}

std::uint32_t WaveFileDevice::Remaining() const {
    const std::uint64_t end = std::uint64_t{dataStart} + dataLength;
    const std::uint32_t position = reader.Position();
    return position < end ? static_cast<std::uint32_t>(end - position) : 0;
}

bool WaveFileDevice::QueueBuffer(WAVEHDR* header) {
    header->dwFlags = 0;
    if (waveOutPrepareHeader(waveOut.Get(), header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        return false;
    }
    if (waveOutWrite(waveOut.Get(), header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(waveOut.Get(), header, sizeof(WAVEHDR));
        header->dwFlags = 0;
        return false;
    }
    ++queued;
    return true;
}

void WaveFileDevice::PostEndOfSong() {
    PostMessageA(static_cast<HWND>(ownerWindow), kMciNotifyMessage, kNotifySuccessful, 0);
}

int WaveFileDevice::Play() {
    if (mode == kModePlay) {
        return 1;
    }
    if (mode == kModePause) {
        CriticalSectionLock hold(lock);
        if (waveOutRestart(waveOut.Get()) != MMSYSERR_NOERROR) {
            return 0;
        }
        mode = kModePlay;
        return 1;
    }
    if (mode != kModeStop) {
        return 0;
    }
    reader.Seek(std::uint64_t{dataStart} + startOffset, 0);
    {
        CriticalSectionLock hold(lock);
        if (Remaining() == 0) {
            endPosted = true;
            mode = kModePlay;
            PostEndOfSong();
            return 1;
        }
        endPosted = false;
        endOfData = false;
        // Paused while priming, so that the primed buffers start together.
        waveOutPause(waveOut.Get());
        if (PrimeBuffers()) {
            lowestQueued = queued;
            mode = kModePlay;
            waveOutRestart(waveOut.Get());
            return 1;
        }
        waveOutReset(waveOut.Get());
    }
    // Back to a quiet stop; the position stays where this play began.
    ResetUntilReturned(kStopResetTries);
    CriticalSectionLock hold(lock);
    queued = 0;
    return 1;
}

bool WaveFileDevice::PrimeBuffers() {
    for (std::uint32_t i = 0; i < bufferCount && Remaining() > 0; ++i) {
        WAVEHDR* header = buffers[i].Header();
        const std::uint32_t length = std::min(Remaining(), bufferLength);
        header->dwBufferLength = length;
        if (reader.Read(header->lpData, length) != length || !QueueBuffer(header)) {
            return false;
        }
    }
    return true;
}

std::uint32_t WaveFileDevice::PlayedBytes() {
    MMTIME time = {};
    time.wType = TIME_BYTES;
    CriticalSectionLock hold(lock);
    if (waveOutGetPosition(waveOut.Get(), &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_BYTES) {
        return 0;
    }
    return time.u.cb;
}

int WaveFileDevice::Stop() {
    if (mode == kModeNotReady) {
        return 0;
    }
    // Only a running play moves the position; a paused one keeps where that play started.
    if (mode == kModePlay && Pause()) {
        startOffset = timeline.StoppedOffset(startOffset, PlayedBytes());
    }
    {
        CriticalSectionLock hold(lock);
        mode = kModeStop;
        waveOutReset(waveOut.Get());
    }
    ResetUntilReturned(kStopResetTries);
    CriticalSectionLock hold(lock);
    queued = 0;
    return 1;
}

int WaveFileDevice::Pause() {
    if (mode == kModeStop && !Play()) {
        return 0;
    }
    if (mode != kModePlay) {
        return 0;
    }
    CriticalSectionLock hold(lock);
    mode = kModePause;
    waveOutPause(waveOut.Get());
    return 1;
}

int WaveFileDevice::Seek(std::uint32_t milliseconds) {
    if (mode == kModeNotReady) {
        return 0;
    }
    if (mode != kModeStop) {
        Stop();
    }
    startOffset = timeline.OffsetAt(milliseconds);
    return timeline.PositionMs(startOffset, 0);
}

int WaveFileDevice::GetPosition() {
    if (mode == kModeNotReady) {
        return 0;
    }
    const std::uint64_t played = (mode == kModePlay || mode == kModePause) ? PlayedBytes() : 0;
    return timeline.PositionMs(startOffset, played);
}

void CALLBACK
WaveFileDevice::WaveOutCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2) {
    // Runs in the driver's context: hand the message on and do nothing else.
    try {
        const auto* self = reinterpret_cast<const WaveFileDevice*>(instance);
        PostThreadMessageA(self->thread.Id(), message, param1, param2);
    } catch (...) {
    }
}

void WaveFileDevice::OnThreadMessage(UINT message, WPARAM wParam, LPARAM) {
    try {
        if (message == MM_WOM_DONE && wParam != 0) {
            OnBufferDone(reinterpret_cast<WAVEHDR*>(wParam));
        }
    } catch (...) {
    }
}

void WaveFileDevice::OnBufferDone(WAVEHDR* header) {
    CriticalSectionLock hold(lock);
    if (header->dwUser >= buffers.size() || buffers[header->dwUser].Header() != header) {
        return;
    }
    if (waveOutUnprepareHeader(waveOut.Get(), header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        return;
    }
    header->dwFlags = 0;
    const std::uint32_t before = queued;
    if (queued > 0) {
        --queued;
    }
    if (mode != kModePlay && mode != kModePause) {
        return;
    }
    if (!endPosted && !endOfData && Remaining() > 0) {
        lowestQueued = std::min(lowestQueued, queued);
        if (Remaining() >= bufferLength && reader.Read(header->lpData, bufferLength) == bufferLength) {
            header->dwBufferLength = bufferLength;
            if (QueueBuffer(header)) {
                return;
            }
        }
        // A read error or a refused buffer ends the song early; the end is reported below once
        // the last queued buffer has played.
        endOfData = true;
    }
    if (!endPosted && before == 1) {
        endPosted = true;
        PostEndOfSong();
    }
}
