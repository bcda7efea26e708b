// The recorder's steps and bookkeeping: buffers, device, file and the drain at the end.
#include "recorder/WaveRecorder.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "recorder/RecorderTexts.h"

namespace {

// The reason appended to the open failure's text for the results the user can act on.
const char* OpenFailureReason(std::uint32_t result) {
    switch (result) {
        case kWaveBadDeviceId:
            return kBadDeviceReason;
        case kWaveAllocated:
            return kAllocatedReason;
        case kWaveNoMemory:
            return kSystemNoMemoryReason;
        case kWaveBadFormat:
            return kBadFormatReason;
        default:
            return "";
    }
}

// Clears a flag when the scope ends, whichever way it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag(flag) { flag = true; }
    ~FlagScope() { flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag;
};

}  // namespace

std::int32_t WaveRecorder::CorrectBufferCount(std::int32_t setting) {
    return setting < kLeastCaptureBuffers ? kLeastCaptureBuffers
                                          : (setting > kMostCaptureBuffers ? kMostCaptureBuffers : setting);
}

std::int32_t WaveRecorder::CorrectDeviceId(std::int32_t setting, std::uint32_t deviceCount) {
    if (setting == kWaveInMapper) {
        return setting;
    }
    return setting >= 0 && static_cast<std::uint32_t>(setting) < deviceCount ? setting : kWaveInMapper;
}

WaveRecorder::WaveRecorder(WaveInPort& port, Settings::Record& settings) : port(port), settings(settings) {
    settings.BufferSize = CorrectBufferCount(settings.BufferSize);
    deviceId = CorrectDeviceId(settings.DeviceID, port.DeviceCount());
    settings.DeviceID = deviceId;
}

WaveRecorder::~WaveRecorder() {
    Stop();
}

int WaveRecorder::Start(const char* path) {
    // A click or a song's end dispatched while a recording drains must not start another.
    if (stopping || recording) {
        return 0;
    }
    Stop();
    endNotice.clear();
    if (!AllocateBuffers()) {
        return 0;
    }
    if (!OpenDevice() || !QueueBuffers() || !CreateFile(path)) {
        Stop();
        return 0;
    }
    recording = true;
    if (port.StartDevice() != kWaveResultOk) {
        Stop();
        port.ShowMessage(kStartFailedText, kRecordErrorCaption, MessageStyle::kWarning);
        return 0;
    }
    return 1;
}

bool WaveRecorder::AllocateBuffers() {
    if (buffersAllocated) {
        port.FreeBuffers(false);
        buffersAllocated = false;
    }
    // The settings sheet may have changed both since the last recording.
    settings.BufferSize = CorrectBufferCount(settings.BufferSize);
    bufferCount = static_cast<std::uint32_t>(settings.BufferSize);
    deviceId = CorrectDeviceId(settings.DeviceID, port.DeviceCount());
    settings.DeviceID = deviceId;
    if (!port.AllocateBuffers(bufferCount, kCaptureBufferBytes)) {
        port.ShowMessage(kNoMemoryText, kRecordErrorCaption, MessageStyle::kError);
        return false;
    }
    buffersAllocated = true;
    return true;
}

bool WaveRecorder::OpenDevice() {
    const std::uint32_t result = port.Open(deviceId, settings.Format);
    if (result != kWaveResultOk) {
        const std::string text = std::string(kOpenFailedText) + OpenFailureReason(result);
        port.ShowMessage(text.c_str(), kRecordErrorCaption, MessageStyle::kInformation);
        return false;
    }
    deviceOpen = true;
    return true;
}

bool WaveRecorder::QueueBuffers() {
    prepared = 0;
    for (std::uint32_t i = 0; i < bufferCount; ++i) {
        if (port.Prepare(i) != kWaveResultOk) {
            for (std::uint32_t j = i; j > 0; --j) {
                port.Unprepare(j - 1);
            }
            prepared = 0;
            port.ShowMessage(kPrepareFailedText, kRecordErrorCaption, MessageStyle::kWarning);
            return false;
        }
        ++prepared;
    }
    // A buffer the driver refuses is not reported; the others still record.
    for (std::uint32_t i = 0; i < bufferCount; ++i) {
        GiveToDevice(i);
    }
    return true;
}

// Queues a prepared buffer. One the driver refuses never comes back through MM_WIM_DATA, so it
// is unprepared at once rather than left for Stop to wait on.
void WaveRecorder::GiveToDevice(std::uint32_t buffer) {
    if (port.AddBuffer(buffer) != kWaveResultOk) {
        port.Unprepare(buffer);
        if (prepared > 0) {
            --prepared;
        }
    }
}

bool WaveRecorder::CreateFile(const char* path) {
    std::unique_ptr<RecordFile> file = port.CreateFile(path);
    if (!file) {
        port.ShowMessage(kFileOpenFailedText, kFileOpenFailedCaption, MessageStyle::kPlain);
        return false;
    }
    if (!writer.Begin(std::move(file), settings.Format)) {
        const std::string text = kWriteFailedText + writer.FailureText();
        port.ShowMessage(text.c_str(), kRecordErrorCaption, MessageStyle::kError);
        return false;
    }
    return true;
}

void WaveRecorder::OnWaveInMessage(std::uint32_t message, std::uintptr_t header) {
    if (message != kWaveInDataMessage) {
        return;
    }
    const std::int32_t index = port.BufferOfHeader(header);
    if (index < 0) {
        return;
    }
    const auto buffer = static_cast<std::uint32_t>(index);
    port.Unprepare(buffer);
    if (prepared > 0) {
        --prepared;
    }
    const std::uint32_t bytes = port.BytesInBuffer(buffer);
    if (writer.IsOpen() && bytes > 0) {
        switch (writer.Append(port.BufferData(buffer), bytes)) {
            case AppendResult::kWritten:
                break;
            case AppendResult::kLimitReached:
                EndBy(kSizeLimitText);
                break;
            case AppendResult::kFailed:
                EndBy(kWriteFailedText + writer.FailureText());
                break;
        }
    }
    port.MarkDone(buffer);
    if (recording && port.Prepare(buffer) == kWaveResultOk) {
        ++prepared;
        GiveToDevice(buffer);
    }
}

// The file can take no more: it is closed at once with the sizes of what it holds, and the
// device stops capturing; the owner's Stop returns the buffers still queued.
void WaveRecorder::EndBy(std::string notice) {
    recording = false;
    endNotice = std::move(notice);
    if (!writer.Finish()) {
        endNotice += std::string("\n") + kCloseFailedText + writer.FailureText();
    }
    if (deviceOpen) {
        port.StopAndReset();
    }
}

void WaveRecorder::Stop() {
    if (stopping) {
        return;
    }
    const FlagScope scope(stopping);
    if (recording || deviceOpen) {
        recording = false;
        if (deviceOpen) {
            port.StopAndReset();
            Drain();
        }
    }
    CloseDevice();
    if (writer.IsOpen() && !writer.Finish()) {
        endNotice = kCloseFailedText + writer.FailureText();
    }
    if (buffersAllocated) {
        // A device that would not close may still write into its buffers.
        port.FreeBuffers(deviceOpen);
        buffersAllocated = false;
    }
    deviceOpen = false;
    prepared = 0;
}

// The driver hands the queued buffers back as notifications to the owner window; they are
// dispatched here so that their sound reaches the file.
void WaveRecorder::Drain() {
    const std::uint32_t tries = 100 * bufferCount;
    for (std::uint32_t i = 0; prepared > 0 && i < tries; ++i) {
        port.DispatchOneMessage();
    }
}

void WaveRecorder::CloseDevice() {
    if (!deviceOpen) {
        return;
    }
    std::uint32_t tries = 100 * bufferCount + 200;
    std::uint32_t result = port.Close();
    while (result == kWaveStillPlaying && tries > 0) {
        --tries;
        port.StopAndReset();
        port.DispatchOneMessage();
        result = port.Close();
    }
    if (result != kWaveStillPlaying) {
        deviceOpen = false;
    }
}

std::uint32_t WaveRecorder::SecondsRecorded() const {
    const std::uint32_t rate = settings.Format.avgBytesPerSec;
    return rate > 0 ? BytesRecorded() / rate : 0;
}

void WaveRecorder::FormatDetails(char* text, std::size_t capacity) {
    port.DescribeFormat(settings.Format, text, capacity);
}

void WaveRecorder::FormatTagName(char* text, std::size_t capacity) {
    port.DescribeFormatTag(settings.Format, text, capacity);
}

int WaveRecorder::ChooseFormat() {
    WaveFormatRecord chosen = settings.Format;
    if (!port.ChooseFormat(chosen, kChooseFormatTitle)) {
        return 0;
    }
    if (chosen.formatTag == kWaveFormatPcm) {
        // A PCM format may come back as the 16-byte record without an extra-size field, leaving
        // the previous format's count and bytes in the area; PCM has no extra bytes.
        chosen.extraSize = 0;
        std::memset(chosen.extra, 0, sizeof chosen.extra);
    }
    settings.Format = chosen;
    return 1;
}

void WaveRecorder::ShowEndNotice() {
    if (endNotice.empty()) {
        return;
    }
    const std::string text = std::move(endNotice);
    endNotice.clear();
    port.ShowMessage(text.c_str(), kRecordErrorCaption, MessageStyle::kError);
}
