// Owner of one open MCI device id: every command the devices send goes through it, and the id is
// closed exactly once (by Close or the destructor).
#pragma once

#include <cstdint>

#include "devices/MciPort.h"

class MciHandle {
public:
    explicit MciHandle(MciPort& port) : port(&port) {}
    ~MciHandle() { Close(); }
    MciHandle(const MciHandle&) = delete;
    MciHandle& operator=(const MciHandle&) = delete;
    MciHandle(MciHandle&& other) noexcept;
    MciHandle& operator=(MciHandle&& other) noexcept;

    // Both opens close any id held first. Nonzero on success.
    int OpenElement(const char* element);
    int OpenCdAudio(const char* drive);
    void Close();

    // Every command below does nothing and answers 0 (GetMode: kModeNotReady) when nothing is
    // open; otherwise nonzero when MCI accepted it.
    // Plays on from the current position; MCI notifies notifyWindow (if any) at the end, and
    // to = 0 plays to the end of the medium.
    int Play(OwnerWindow notifyWindow, std::uint32_t to);
    int Stop();
    int Pause();
    // Stops first: MCI refuses to seek some devices while they play.
    int Seek(std::uint32_t to);
    int SetTimeFormat(std::uint32_t format);
    int SetDoor(bool open);
    int Status(const MciStatusQuery& query, std::uint32_t& value);
    // MCI_STATUS_POSITION in the current time format; 0 when MCI refuses.
    std::uint32_t GetPosition();
    // MCI_STATUS_MODE; kModeNotReady when MCI refuses.
    int GetMode();
    // MCI_GETDEVCAPS_DEVICE_TYPE; 0 when MCI refuses.
    std::int32_t GetDeviceType();

    std::uint32_t Id() const { return mciId; }
    bool IsOpen() const { return isOpen; }

private:
    int Adopt(MciError error, std::uint32_t id);

    MciPort* port;
    std::uint32_t mciId = 0;
    bool isOpen = false;
};
