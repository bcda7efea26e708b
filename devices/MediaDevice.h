// The one interface behind which every kind of playback device sits: wave and MP3 streaming,
// MCI files and CD tracks. States are the MCI mode values for every device.
#pragma once

#include <cstdint>

#include "app/containers/WindowMessages.h"
#include "devices/MeasurePosition.h"

// The window that hears about the end of a song, as an opaque value so that portable code
// (the queue, the controller, their tests) can hold devices without Win32 types.
using OwnerWindow = void*;

// Playback states, the MCI mode values.
constexpr std::int32_t kModeNotReady = 524;  // nothing open
constexpr std::int32_t kModeStop = 525;      // open, not sounding
constexpr std::int32_t kModePlay = 526;      // sounding
constexpr std::int32_t kModeRecord = 527;    // passed through from MCI
constexpr std::int32_t kModeSeek = 528;      // passed through from MCI
constexpr std::int32_t kModePause = 529;     // open, paused
constexpr std::int32_t kModeOpen = 530;      // passed through from MCI

// Device kinds, the MCI device-type values.
constexpr std::int32_t kDeviceTypeFirst = 513;  // the first MCI device type (VCR)
constexpr std::int32_t kDeviceTypeCdAudio = 516;
constexpr std::int32_t kDeviceTypeWaveAudio = 522;
constexpr std::int32_t kDeviceTypeSequencer = 523;

// The end of a song reaches the owner as kMciNotifyMessage with kNotifySuccessful.

class MediaDevice {
public:
    explicit MediaDevice(OwnerWindow owner) : ownerWindow(owner) {}
    // Devices are held as members of their play mode and destroyed with it, never through a
    // base pointer; each concrete destructor closes its song first.
    MediaDevice(const MediaDevice&) = delete;
    MediaDevice& operator=(const MediaDevice&) = delete;

    // Closes any open song, then opens the named one (a CD device takes the 0-based track
    // index as decimal text). Nonzero on success; on failure nothing stays acquired.
    virtual int Open(const char* fileName) = 0;
    // Stops sound and releases the song; safe when nothing is open.
    virtual void Close() = 0;
    virtual int Play() = 0;
    virtual int Stop() = 0;
    virtual int Pause() = 0;
    virtual int Seek(std::uint32_t milliseconds) = 0;
    virtual int GetPosition() = 0;
    virtual int GetMode() = 0;
    // MIDI timing; only a MIDI song played through MCI has any.
    virtual int GetTickPosition() { return 0; }
    virtual int MeasureToPosition(MeasurePosition& /*position*/, std::int32_t /*measure*/) { return 0; }
    virtual int PositionToMeasure(MeasurePosition& /*position*/, std::int32_t /*tick*/) { return 0; }

    const OwnerWindow ownerWindow;
    std::int32_t isOpen = 0;
    std::int32_t lengthMs = 0;
    std::int32_t deviceType = 0;

protected:
    ~MediaDevice() = default;
};
