// Captures a wave-input device into a RIFF WAVE file in the format the user chose. The owner
// window receives the driver's notifications and hands each one back through OnWaveInMessage;
// there is no thread of its own. The system is reached through a WaveInPort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/Settings.h"
#include "recorder/WaveFileWriter.h"
#include "recorder/WaveInPort.h"

// Each capture buffer holds this many bytes.
constexpr std::uint32_t kCaptureBufferBytes = 4096;
// The capture buffer count is kept within these.
constexpr std::int32_t kLeastCaptureBuffers = 2;
constexpr std::int32_t kMostCaptureBuffers = 8192;

class WaveRecorder {
public:
    // Corrects and stores back the buffer count and, when it names no device, the device
    // number; opens nothing.
    WaveRecorder(WaveInPort& port, Settings::Record& settings);
    ~WaveRecorder();
    WaveRecorder(const WaveRecorder&) = delete;
    WaveRecorder& operator=(const WaveRecorder&) = delete;

    // Allocates the buffers, opens the device, queues the buffers, creates the file and starts
    // the device. Answers nonzero when recording runs; otherwise every step is undone and the
    // user has seen why.
    int Start(const char* path);
    // Ends the recording: every buffer comes back and is written, device and file are closed,
    // buffers freed. Safe in any state, and while it drains, a call from a dispatched message
    // does nothing.
    void Stop();
    // A notification of the device; only MM_WIM_DATA is acted on.
    void OnWaveInMessage(std::uint32_t message, std::uintptr_t header);

    // Seconds of sound in the file (0 for a format that claims no bytes per second).
    std::uint32_t SecondsRecorded() const;
    std::uint32_t BytesRecorded() const { return writer.DataBytes(); }
    void FormatDetails(char* text, std::size_t capacity);
    void FormatTagName(char* text, std::size_t capacity);
    int ChooseFormat();

    bool IsRecording() const { return recording; }
    bool IsStopping() const { return stopping; }
    std::int32_t DeviceId() const { return deviceId; }
    // A recording that ended by itself (the file took no more, or reached the 4 GB limit):
    // shows why, once. Owners call it after they have brought their own state to rest.
    void ShowEndNotice();
    bool HasEndNotice() const { return !endNotice.empty(); }

private:
    bool AllocateBuffers();
    bool OpenDevice();
    bool QueueBuffers();
    void GiveToDevice(std::uint32_t buffer);
    bool CreateFile(const char* path);
    void Drain();
    void CloseDevice();
    void EndBy(std::string notice);

public:
    // The buffer count a setting asks for, within the limits.
    static std::int32_t CorrectBufferCount(std::int32_t setting);
    // The device a setting names: itself when the system has it, else the wave mapper.
    static std::int32_t CorrectDeviceId(std::int32_t setting, std::uint32_t deviceCount);

private:
    WaveInPort& port;
    Settings::Record& settings;
    std::int32_t deviceId = kWaveInMapper;
    bool deviceOpen = false;
    bool recording = false;
    bool stopping = false;
    bool buffersAllocated = false;
    std::uint32_t prepared = 0;
    std::uint32_t bufferCount = 0;
    WaveFileWriter writer;
    std::string endNotice;
};
