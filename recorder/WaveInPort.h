// What the recorder needs of the system: a wave-input device with its capture buffers, the
// thread's message queue, message boxes, new files and the audio compression manager. The Win32
// port drives waveIn with the owner window as its callback; tests use a fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/SettingsRecords.h"
#include "recorder/RecordFile.h"

// Result codes of the wave-input functions (MMRESULT values).
constexpr std::uint32_t kWaveResultOk = 0;
constexpr std::uint32_t kWaveBadDeviceId = 2;    // MMSYSERR_BADDEVICEID
constexpr std::uint32_t kWaveAllocated = 4;      // MMSYSERR_ALLOCATED
constexpr std::uint32_t kWaveNoMemory = 7;       // MMSYSERR_NOMEM
constexpr std::uint32_t kWaveBadFormat = 32;     // WAVERR_BADFORMAT
constexpr std::uint32_t kWaveStillPlaying = 33;  // WAVERR_STILLPLAYING
// The wave-input notifications the owner window receives (MM_WIM_OPEN, MM_WIM_CLOSE, MM_WIM_DATA).
constexpr std::uint32_t kWaveInOpenMessage = 0x3BE;
constexpr std::uint32_t kWaveInCloseMessage = 0x3BF;
constexpr std::uint32_t kWaveInDataMessage = 0x3C0;
// The system's wave mapper as a device number.
constexpr std::int32_t kWaveInMapper = -1;

// The icon and buttons of a message box.
enum class MessageStyle {
    kError,        // error icon, OK
    kInformation,  // information icon, OK
    kWarning,      // warning icon, OK
    kPlain,        // OK only, no icon
};

class WaveInPort {
public:
    virtual ~WaveInPort() = default;

    // Number of wave-input devices of the system.
    virtual std::uint32_t DeviceCount() = 0;

    // count buffers of bytes each and their headers, zero-filled; all or none. False when any
    // allocation failed (nothing is then kept).
    virtual bool AllocateBuffers(std::uint32_t count, std::uint32_t bytes) = 0;
    // Frees the buffers. deviceMayHoldThem: the device could not be closed and may still write
    // into them, so their memory is given up rather than freed.
    virtual void FreeBuffers(bool deviceMayHoldThem) = 0;
    virtual const std::uint8_t* BufferData(std::uint32_t index) = 0;

    // The device, with the owner window receiving its notifications.
    virtual std::uint32_t Open(std::int32_t deviceId, const WaveFormatRecord& format) = 0;
    // Sets the buffer's length to its full size, clears its done flag and prepares it.
    virtual std::uint32_t Prepare(std::uint32_t index) = 0;
    virtual std::uint32_t Unprepare(std::uint32_t index) = 0;
    virtual std::uint32_t AddBuffer(std::uint32_t index) = 0;
    virtual std::uint32_t StartDevice() = 0;
    // waveInStop then waveInReset: the driver hands every queued buffer back.
    virtual void StopAndReset() = 0;
    virtual std::uint32_t Close() = 0;

    // The buffer whose header a notification names, or -1 when it is none of the current ones.
    virtual std::int32_t BufferOfHeader(std::uintptr_t header) = 0;
    // The bytes the driver recorded into a returned buffer.
    virtual std::uint32_t BytesInBuffer(std::uint32_t index) = 0;
    virtual void MarkDone(std::uint32_t index) = 0;

    // Takes one pending message of the thread's queue and dispatches it (waiting a moment when
    // none is there yet); false when none came.
    virtual bool DispatchOneMessage() = 0;

    virtual void ShowMessage(const char* text, const char* caption, MessageStyle style) = 0;
    // Creates (or empties) the file for writing; null when it cannot be opened.
    virtual std::unique_ptr<RecordFile> CreateFile(const char* path) = 0;

    // The compression manager: a description of the format and the name of its format tag
    // (empty texts when it has none), and its chooser, which writes the chosen format into the
    // 2304-byte area and answers true when the user chose one.
    virtual void DescribeFormat(const WaveFormatRecord& format, char* text, std::size_t capacity) = 0;
    virtual void DescribeFormatTag(const WaveFormatRecord& format, char* text, std::size_t capacity) = 0;
    virtual bool ChooseFormat(WaveFormatRecord& format, const char* title) = 0;
};
