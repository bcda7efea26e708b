// An audio CD track through MCI: the drive, its disc, and the end of a track found from the
// position running into the next one.
#include "devices/CdAudioDevice.h"

#include <algorithm>
#include <limits>

#include "devices/CdTime.h"

namespace {

// The 0-based track index of Open as a 1-based track number; 0 for anything but plain digits.
std::uint32_t ParseTrackNumber(const char* text) {
    if (!text || !*text) {
        return 0;
    }
    std::uint32_t index = 0;
    for (const char* p = text; *p; ++p) {
        // A CD has at most 99 tracks; more digits than fit a byte are no track at all.
        if (*p < '0' || *p > '9' || p - text >= 3) {
            return 0;
        }
        index = index * 10 + static_cast<std::uint32_t>(*p - '0');
    }
    return index + 1;
}

}  // namespace

CdAudioDevice::CdAudioDevice(OwnerWindow owner, MciPort& port, OwnerNotifier& notifier)
    : MediaDevice(owner), mci(port), notifier(notifier) {}

std::uint32_t CdAudioDevice::StatusOrZero(const MciStatusQuery& query) {
    std::uint32_t value = 0;
    return mci.Status(query, value) ? value : 0;
}

int CdAudioDevice::OpenDrive(const char* drive) {
    ClearDiscInfo();
    mediaPresent = false;
    currentTrack = 0;
    endNotified = true;
    isOpen = drive ? mci.OpenCdAudio(drive) : 0;
    if (!isOpen) {
        mci.Close();
        return 0;
    }
    deviceType = mci.GetDeviceType();
    CheckMedia();
    return 1;
}

void CdAudioDevice::CloseDrive() {
    mci.Close();
    isOpen = 0;
    ClearDiscInfo();
    mediaPresent = false;
    currentTrack = 0;
    endNotified = true;
}

int CdAudioDevice::CheckMedia() {
    if (!isOpen) {
        return 0;
    }
    std::uint32_t present = 0;
    const bool now = mci.Status({kMciStatusMediaPresent}, present) && present != 0;
    if (now && !mediaPresent) {
        mediaPresent = true;
        ReadDiscInfo();
    } else if (!now && mediaPresent) {
        // An identifier left behind would name the list file of a disc that is gone.
        ClearDiscInfo();
    }
    mediaPresent = now;
    return now ? 1 : 0;
}

void CdAudioDevice::ClearDiscInfo() {
    discId = 0;
    discLengthMs = 0;
    trackCount = 0;
    lengthMs = 0;
}

void CdAudioDevice::ReadDiscInfo() {
    if (!mci.IsOpen()) {
        return;
    }
    if (!mediaPresent) {
        ClearDiscInfo();
        return;
    }
    mci.SetTimeFormat(kMciFormatMsf);
    const std::uint32_t lengthMsf = StatusOrZero({kMciStatusLength});
    trackCount = StatusOrZero({kMciStatusNumberOfTracks});
    discId = MakeDiscId(lengthMsf, trackCount);
    mci.SetTimeFormat(kMciFormatMilliseconds);
    discLengthMs = StatusOrZero({kMciStatusLength});
    // Positions are read in TMSF from here on: the track byte tells when a track has ended.
    mci.SetTimeFormat(kMciFormatTmsf);
}

int CdAudioDevice::Open(const char* fileName) {
    const std::uint32_t track = ParseTrackNumber(fileName);
    if (!mci.IsOpen() || !mediaPresent || track == 0 || track > trackCount) {
        return 0;
    }
    // The length first: a track MCI cannot measure is refused before the disc moves.
    mci.SetTimeFormat(kMciFormatMilliseconds);
    std::uint32_t length = 0;
    const bool measured = mci.Status({kMciStatusLength, track}, length) &&
                          length <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    mci.SetTimeFormat(kMciFormatTmsf);
    if (!measured) {
        return 0;
    }
    if (TmsfTrack(mci.GetPosition()) != track) {
        mci.Seek(track);
    }
    lengthMs = static_cast<std::int32_t>(length);
    currentTrack = track;
    isOpen = 1;
    endNotified = false;
    return 1;
}

void CdAudioDevice::Close() {
    isOpen = 0;
    endNotified = true;
}

int CdAudioDevice::Play() {
    return isOpen ? mci.Play(ownerWindow, 0) : 0;
}

int CdAudioDevice::Stop() {
    if (!mci.IsOpen()) {
        return 0;
    }
    mci.Stop();
    Seek(0);
    return 1;
}

int CdAudioDevice::Pause() {
    return isOpen ? mci.Pause() : 0;
}

int CdAudioDevice::Seek(std::uint32_t milliseconds) {
    if (!isOpen || !mediaPresent || currentTrack == 0) {
        return 0;
    }
    // TMSF minutes wrap at 256; past the track's end there is nothing to seek to anyway.
    const std::uint32_t ms = std::min(milliseconds, static_cast<std::uint32_t>(std::max(lengthMs, 0)));
    mci.Seek(MsToTmsf(ms) | currentTrack);
    return GetPosition();
}

int CdAudioDevice::GetPosition() {
    if (!isOpen || !mediaPresent) {
        return 0;
    }
    std::uint32_t tmsf = 0;
    if (!mci.Status({kMciStatusPosition}, tmsf)) {
        return 0;
    }
    if (TmsfTrack(tmsf) <= currentTrack) {
        return static_cast<int>(TmsfToMs(tmsf));
    }
    // The disc has run into the next track. The last track's end is the disc's end, which MCI
    // reports itself through the play's notification.
    if (currentTrack != (discId & 0xFF) && !endNotified) {
        endNotified = true;
        notifier.SendNotify(ownerWindow, kNotifySuccessful, mci.Id());
    }
    return lengthMs;
}

int CdAudioDevice::GetMode() {
    return isOpen ? mci.GetMode() : kModeNotReady;
}

int CdAudioDevice::Eject() {
    Stop();
    return mci.SetDoor(true);
}

int CdAudioDevice::CloseDoor() {
    return mci.SetDoor(false);
}
