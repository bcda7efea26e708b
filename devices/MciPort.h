// The few Media Control Interface commands the MCI devices send, as a seam: the Win32 build sends
// them through mciSendCommand, the tests answer them from a scripted fake.
#pragma once

#include <cstdint>

#include "devices/MediaDevice.h"

// An MCI error code; 0 is success.
using MciError = std::uint32_t;
constexpr MciError kMciOk = 0;
// What a port without MCI (the native build's default) answers to everything.
constexpr MciError kMciUnsupported = 274;  // MCIERR_UNSUPPORTED_FUNCTION

// Time formats, the MCI values.
constexpr std::uint32_t kMciFormatMilliseconds = 0;
constexpr std::uint32_t kMciFormatMsf = 2;
constexpr std::uint32_t kMciFormatTmsf = 10;
constexpr std::uint32_t kMciFormatSongPointer = 0x4001;  // sequencer: sixteenth notes

// Status items, the MCI values.
constexpr std::uint32_t kMciStatusLength = 1;
constexpr std::uint32_t kMciStatusPosition = 2;
constexpr std::uint32_t kMciStatusNumberOfTracks = 3;
constexpr std::uint32_t kMciStatusMode = 4;
constexpr std::uint32_t kMciStatusMediaPresent = 5;

// Capability items, the MCI values.
constexpr std::uint32_t kMciCapsDeviceType = 4;

// One status query: the item, optionally for one track (MCI_TRACK) or for the medium's start
// (MCI_STATUS_START).
struct MciStatusQuery {
    std::uint32_t item = 0;
    std::uint32_t track = 0;  // 0: no MCI_TRACK
    bool start = false;
};

class MciPort {
public:
    virtual ~MciPort() = default;

    // Opens a file by its element name only, so that MCI picks the driver from the extension
    // (MCI_OPEN_ELEMENT | MCI_WAIT). id receives the new device id on success.
    virtual MciError OpenElement(const char* element, std::uint32_t& id) = 0;
    // Opens the CD audio driver by its type id on a drive such as "D:".
    virtual MciError OpenCdAudio(const char* drive, std::uint32_t& id) = 0;
    virtual MciError Close(std::uint32_t id) = 0;
    // Returns at once; with a notify window MCI posts MM_MCINOTIFY to it when the play ends or is
    // interrupted. to = 0 plays on to the end.
    virtual MciError Play(std::uint32_t id, OwnerWindow notifyWindow, std::uint32_t to) = 0;
    virtual MciError Stop(std::uint32_t id) = 0;
    virtual MciError Pause(std::uint32_t id) = 0;
    virtual MciError Seek(std::uint32_t id, std::uint32_t to) = 0;
    virtual MciError SetTimeFormat(std::uint32_t id, std::uint32_t format) = 0;
    virtual MciError Status(std::uint32_t id, const MciStatusQuery& query, std::uint32_t& value) = 0;
    virtual MciError GetDevCaps(std::uint32_t id, std::uint32_t item, std::uint32_t& value) = 0;
    virtual MciError SetDoor(std::uint32_t id, bool open) = 0;
};

// The MCI of this build: the system's on Windows (mx_mci_win), natively one that refuses every
// command.
MciPort& SystemMciPort();
