// One track of an audio CD played through the MCI CD audio driver. The drive stays open between
// tracks; the device also supplies the disc identifier that names the disc's CD list file.
#pragma once

#include <cstdint>

#include "devices/MciHandle.h"
#include "devices/MediaDevice.h"
#include "devices/OwnerNotifier.h"

class CdAudioDevice : public MediaDevice {
public:
    explicit CdAudioDevice(OwnerWindow owner,
                           MciPort& port = SystemMciPort(),
                           OwnerNotifier& notifier = SystemOwnerNotifier());
    // The drive's MCI device is closed by its handle.
    ~CdAudioDevice() = default;

    // Opens the drive ("D:") and looks for a disc. Nonzero on success.
    int OpenDrive(const char* drive);
    // Closes the drive's MCI device; the device is then as after construction.
    void CloseDrive();
    // Nonzero when a disc is in the drive; reads the disc's table of contents when a disc has
    // appeared since the last check. Answers 0 without asking the drive while the device is closed.
    int CheckMedia();
    // Stops, then opens the tray. Nonzero when the drive accepted the tray command.
    int Eject();
    int CloseDoor();

    // fileName is the 0-based track index as decimal text. Needs the drive open and a disc with
    // that track; a failed Open changes nothing.
    int Open(const char* fileName) override;
    // Only marks the track closed; the drive stays open.
    void Close() override;
    // Plays on from the current position to the end of the disc, with MCI notifying the owner.
    int Play() override;
    // Back to the start of the current track; 1 while the drive is open.
    int Stop() override;
    int Pause() override;
    // Moves within the current track (clamped to its length) and answers the new position.
    int Seek(std::uint32_t milliseconds) override;
    // The position within the current track. Once the disc has run into the next track this
    // answers lengthMs, and the first such call sends the owner the end-of-song notification
    // (except on the last track, whose end MCI itself reports).
    int GetPosition() override;
    int GetMode() override;

    // Disc length in MSF shifted up one byte, with the low byte of the track count below; 0 when
    // no disc.
    std::uint32_t DiscId() const { return discId; }
    std::uint32_t DiscLengthMs() const { return discLengthMs; }
    std::uint32_t TrackCount() const { return trackCount; }
    std::uint32_t CurrentTrack() const { return currentTrack; }
    bool MediaPresent() const { return mediaPresent; }
    std::uint32_t MciId() const { return mci.Id(); }

private:
    void ReadDiscInfo();
    void ClearDiscInfo();
    std::uint32_t StatusOrZero(const MciStatusQuery& query);

    MciHandle mci;
    OwnerNotifier& notifier;
    std::uint32_t discId = 0;
    std::uint32_t discLengthMs = 0;
    std::uint32_t trackCount = 0;
    // 1-based; 0 while no track was opened.
    std::uint32_t currentTrack = 0;
    // Set while there is no track whose end could still be reported.
    bool endNotified = true;
    bool mediaPresent = false;
};
