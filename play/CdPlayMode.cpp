// The CD play mode: the drive, the disc coming and going, the disc's CD list as the queue, and
// the tray.
#include "play/CdPlayMode.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>

#include "app/Settings.h"
#include "app/containers/FileSystem.h"
#include "devices/CdTime.h"

namespace {

// Timer ticks between two looks at the disc, plus one.
constexpr std::int32_t kTicksPerDiscCheck = 10;

// The drive letter of "X:" or "X:\", or 0 for anything else.
char DriveLetterOf(const char* drive) {
    if (drive == nullptr || !std::isalpha(static_cast<unsigned char>(drive[0])) || drive[1] != ':') {
        return 0;
    }
    if (drive[2] != '\0' && !(drive[2] == '\\' && drive[3] == '\0')) {
        return 0;
    }
    return drive[0];
}

std::int32_t ScaledVolume(std::int32_t listVolume, std::int32_t trackVolume) {
    const std::int64_t volume = static_cast<std::int64_t>(listVolume) * trackVolume / 100;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(volume, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

CdPlayMode::CdPlayMode(PlayOwner& owner, MciPort& port, OwnerNotifier& notifier, DriveQuery& drives)
    : PlayMode(owner), cdDevice(owner.Window(), port, notifier) {
    ChooseDrive(drives);
    const std::int32_t stored = gSettings.play.CDPlayMode;
    playMode = static_cast<std::uint32_t>(stored) > kPlayRandomRepeat ? kPlayNormal : stored;
}

CdPlayMode::~CdPlayMode() {
    if (driveOpen) {
        cdDevice.Stop();
        cdDevice.CloseDrive();
    }
    cdList.reset();
    StoreSession();
}

void CdPlayMode::StoreSession() {
    gSettings.play.CDPlayMode = playMode;
    CopyShiftJis(gSettings.cd.LastDrive, sizeof gSettings.cd.LastDrive, driveLetter);
}

void CdPlayMode::ChooseDrive(DriveQuery& drives) {
    const char last = DriveLetterOf(gSettings.cd.LastDrive);
    if (last != 0 && drives.IsCdRom(static_cast<char>(std::toupper(static_cast<unsigned char>(last))))) {
        SetDriveLetter(gSettings.cd.LastDrive);
        return;
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (drives.IsCdRom(letter)) {
            const char drive[] = {letter, ':', '\0'};
            SetDriveLetter(drive);
            return;
        }
    }
    driveLetter[0] = '\0';
}

void CdPlayMode::SetDriveLetter(const char* drive) {
    const char letter = DriveLetterOf(drive);
    driveLetter[0] = letter;
    driveLetter[1] = letter != 0 ? ':' : '\0';
    driveLetter[2] = '\0';
}

int CdPlayMode::Activate() {
    if (!driveOpen) {
        driveOpen = driveLetter[0] != '\0' && cdDevice.OpenDrive(driveLetter) ? 1 : 0;
        StartTimer();
    }
    CheckDisc();
    // Without a disc there is nothing to make current; the timer keeps looking for one.
    if (discPresent) {
        PlayMode::Activate();
    }
    return active;
}

void CdPlayMode::Deactivate() {
    StopTimer();
    if (driveOpen) {
        cdDevice.Stop();
        cdDevice.CloseDrive();
    }
    driveOpen = 0;
    discPresent = 0;
    discId = 0;
    PlayMode::Deactivate();
}

void CdPlayMode::CheckDisc() {
    const std::int32_t present = cdDevice.CheckMedia() ? 1 : 0;
    if (present == discPresent) {
        return;
    }
    discPresent = present;
    if (!present) {
        Stop();
        ForgetDisc();
    }
    // A new disc gets its queue and position 0; without one the mode goes inactive.
    Reload();
}

void CdPlayMode::ForgetDisc() {
    FreeQueue();
    lengthMs = 0;
    positionMs = 0;
    discId = 0;
    orderCount = 0;
    BlankCurrent();
}

void CdPlayMode::OnTick() {
    if (++tickCount > kTicksPerDiscCheck) {
        tickCount = 0;
        CheckDisc();
    }
}

int CdPlayMode::BuildQueue() {
    FreeQueue();
    if (!driveOpen || !discPresent) {
        return 0;
    }
    discId = cdDevice.DiscId();
    cdList = std::make_unique<CdListFile>(discId);
    // Load answers the same for a missing and an unreadable file; only a missing one is new.
    const bool existed = cdList->path[0] != '\0' && ActiveFileSystem().Exists(cdList->path);
    if (cdList->Load() == kCdListCannotOpen && !existed && discId != 0) {
        // The version-1 identifier: the disc length as TMSF with the track count as its track.
        const std::uint32_t version1Id = MsToTmsf(cdDevice.DiscLengthMs()) | (discId & 0xFF);
        cdList->MigrateVersion1(version1Id);
        cdList->Save();
    }
    orderCount = GetSongCount();
    return 1;
}

void CdPlayMode::FreeQueue() {
    cdList.reset();
}

int CdPlayMode::GetSongCount() {
    return cdList ? cdList->OrderCount() : 0;
}

void CdPlayMode::GetSong(SongEntry& entry, int index) {
    if (!cdList || index < 0 || index >= cdList->OrderCount()) {
        return;
    }
    const std::int32_t track = cdList->GetOrder(index);
    CdListTrack trackData;
    if (!cdList->GetTrack(track, trackData)) {
        return;
    }
    std::snprintf(entry.path, sizeof entry.path, "%d", static_cast<int>(track));
    SetSongField(entry.listTitle, cdList->title);
    SetSongField(entry.title, trackData.title);
    SetSongField(entry.comment, trackData.comment);
    entry.volume = ScaledVolume(cdList->volume, trackData.volume);
    entry.balance = trackData.balance;
    entry.origin = kOriginCdTrack;
    entry.queueIndex = index;
    entry.silenceMs = 0;
    SetSongField(entry.fontName, cdList->fontName);
}

void CdPlayMode::GetQueueTitle(char* text, std::size_t capacity, int position) {
    if (text == nullptr || capacity == 0) {
        return;
    }
    SongEntry entry;
    GetSongAt(entry, position);
    CopyShiftJis(text, capacity, entry.title);
}

MediaDevice* CdPlayMode::OpenDevice(const SongEntry& entry) {
    opening = entry;
    return cdDevice.Open(opening.path) ? &cdDevice : nullptr;
}

int CdPlayMode::EditList() {
    if (!driveOpen || !discPresent || !EditCdList || !EditCdList(*this, discId)) {
        return 0;
    }
    Reload();
    return 1;
}

int CdPlayMode::OpenSource() {
    if (!ChooseCdDrive || !ChooseCdDrive(*this)) {
        return 0;
    }
    Stop();
    Deactivate();
    ForgetDisc();
    discPresent = 0;
    Activate();
    return 1;
}

int CdPlayMode::Eject() {
    if (!cdDevice.CheckMedia() && trayOpenedHere) {
        cdDevice.CloseDoor();
        trayOpenedHere = 0;
        return 0;
    }
    Stop();
    const int opened = cdDevice.Eject();
    // Only a tray that really opened is one to close again on the next press.
    if (opened) {
        trayOpenedHere = 1;
    }
    return opened;
}

int CdPlayMode::GetPanelFlags() {
    int flags = PlayMode::GetPanelFlags() | kPanelOpen | kPanelEject;
    if (!driveOpen || !discPresent) {
        flags &= ~kPanelList;
    }
    return flags;
}
