// The recorder's system port on Win32: waveIn with the owner window as its callback, capture
// buffers in locked global memory, the thread's message queue, message boxes, the recording's
// file and the audio compression manager's format descriptions and chooser.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <vector>

#include "app/containers/UniqueHandle_win.h"
#include "devices/StreamHandles_win.h"
#include "recorder/WaveInPort.h"

// An open waveIn device; closing fails while the driver still holds buffers.
struct WaveInTraits {
    using Handle = HWAVEIN;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { waveInClose(handle); }
};
using UniqueWaveIn = UniqueHandle<WaveInTraits>;

class SystemWaveInPort final : public WaveInPort {
public:
    explicit SystemWaveInPort(HWND owner) : owner(owner) {}

    std::uint32_t DeviceCount() override;
    bool AllocateBuffers(std::uint32_t count, std::uint32_t bytes) override;
    void FreeBuffers(bool deviceMayHoldThem) override;
    const std::uint8_t* BufferData(std::uint32_t index) override;
    std::uint32_t Open(std::int32_t deviceId, const WaveFormatRecord& format) override;
    std::uint32_t Prepare(std::uint32_t index) override;
    std::uint32_t Unprepare(std::uint32_t index) override;
    std::uint32_t AddBuffer(std::uint32_t index) override;
    std::uint32_t StartDevice() override;
    void StopAndReset() override;
    std::uint32_t Close() override;
    std::int32_t BufferOfHeader(std::uintptr_t header) override;
    std::uint32_t BytesInBuffer(std::uint32_t index) override;
    void MarkDone(std::uint32_t index) override;
    bool DispatchOneMessage() override;
    void ShowMessage(const char* text, const char* caption, MessageStyle style) override;
    std::unique_ptr<RecordFile> CreateFile(const char* path) override;
    void DescribeFormat(const WaveFormatRecord& format, char* text, std::size_t capacity) override;
    void DescribeFormatTag(const WaveFormatRecord& format, char* text, std::size_t capacity) override;
    bool ChooseFormat(WaveFormatRecord& format, const char* title) override;

private:
    WAVEHDR* Header(std::uint32_t index) const { return static_cast<WAVEHDR*>(headers.Get()) + index; }

    HWND owner;
    UniqueWaveIn device;
    GlobalBlock headers;
    std::vector<GlobalBlock> buffers;
    std::uint32_t bufferBytes = 0;
};
