// The controller part of a play mode: opens and closes the current song on its device, plays,
// stops, pauses and jumps, keeps the song's volume applied and answers the panel's questions.
#include "play/PlayMode.h"

#include <algorithm>
#include <cstdint>

#include "app/Settings.h"

int PlayMode::OpenCurrent() {
    if (deviceOpen) {
        CloseCurrent();
    }
    owner.BeginWait();
    MediaDevice* opened = OpenDevice(current);
    owner.EndWait();
    if (opened != nullptr) {
        device = opened;
        deviceOpen = 1;
        songLoaded = 1;
        deviceType = opened->deviceType;
        lengthMs = std::max(opened->lengthMs, 0);
        return 1;
    }
    device = nullptr;
    deviceOpen = 0;
    songLoaded = 0;
    state = kModeNotReady;
    deviceType = 0;
    lengthMs = 0;
    hasText = 0;
    hasWrd = 0;
    return 0;
}

void PlayMode::CloseCurrent() {
    if (deviceOpen) {
        CloseDevice();
    }
    device = nullptr;
    deviceOpen = 0;
}

void PlayMode::ResetSong() {
    CancelSilence();
    // Destroying the volume object puts the device's own volume and balance back.
    ReleaseSongVolume();
    CloseCurrent();
    ++songSerial;
    songLoaded = 0;
    BlankSongTexts(current);
    seekHeld = 0;
    seekDirection = 0;
    seekTickCount = 0;
    deviceType = 0;
    lengthMs = 0;
    positionMs = 0;
    lastBlinkPosition = 0;
    // Nothing is open now; whoever selects the next song decides what it becomes.
    state = kModeNotReady;
    if (gSettings.file.TextClose) {
        CloseText();
    }
    hasText = 0;
    hasWrd = 0;
}

void PlayMode::ApplySongVolume() {
    if (!songLoaded) {
        return;
    }
    songVolume.reset();
    songVolume = std::make_unique<DeviceVolume>(deviceType, current.volume, current.balance,
                                                volumePort != nullptr ? *volumePort : SystemVolumePort());
}

void PlayMode::ReleaseSongVolume() {
    songVolume.reset();
}

bool PlayMode::EnsureDeviceOpen() {
    if (deviceOpen && device != nullptr) {
        return true;
    }
    if (!songLoaded) {
        return false;
    }
    if (!OpenCurrent()) {
        owner.UpdateButtons();
        return false;
    }
    return true;
}

void PlayMode::Play() {
    if (!HasSongs()) {
        return;
    }
    if (silenceTimer != 0) {
        EndSilence();  // pressed again while waiting: no more waiting
        return;
    }
    if (!deviceOpen || device == nullptr) {
        const bool firstOpen = !songLoaded;
        if (!OpenCurrent()) {
            owner.UpdateButtons();
            BeginPassOver(kSelectNext);
            return;
        }
        // A song reopened after a stop closed it keeps the volume object it had.
        if (firstOpen) {
            ApplySongVolume();
        }
    }
    const std::uint32_t serial = songSerial;
    const bool atStart = GetSongPosition() == 0;
    // The position query may have ended the song and started the next (a CD track running into
    // the next one).
    if (serial != songSerial || device == nullptr) {
        return;
    }
    if (atStart && current.silenceMs > 0) {
        owner.BeginWait();
        silenceTimer = owner.StartSilence(*this, static_cast<std::uint32_t>(current.silenceMs));
        if (silenceTimer != 0) {
            // The song is under way: its silence plays first. Another song or a stop now keeps
            // or ends playing as it would while the song sounds.
            state = kModePlay;
            owner.UpdateButtons();
            return;
        }
        owner.EndWait();  // without a timer the song starts at once rather than never
    }
    StartDevice();
}

void PlayMode::StartDevice() {
    device->Play();
    state = device->GetMode();
    owner.UpdateButtons();
}

void PlayMode::EndSilence() {
    CancelSilence();
    if (deviceOpen && device != nullptr) {
        StartDevice();
    }
}

void PlayMode::CancelSilence() {
    if (silenceTimer != 0) {
        owner.StopSilence(*this);
        silenceTimer = 0;
        owner.EndWait();
    }
}

void PlayMode::Stop() {
    CancelPassOver();
    CancelSilence();
    if (!active || !deviceOpen || device == nullptr) {
        return;
    }
    device->Stop();
    device->Seek(0);
    // A CD track stays open: closing it would also stop the drive from seeing its disc.
    if (gSettings.play.StopClose && deviceType != kDeviceTypeCdAudio) {
        CloseCurrent();
        state = kModeStop;
    } else {
        state = device->GetMode();
    }
    owner.UpdateButtons();
    owner.UpdateTime(false);
}

void PlayMode::PauseResume() {
    if (!active || !EnsureDeviceOpen()) {
        return;
    }
    CancelSilence();  // a pause during the silence holds the song at its start
    if (device->GetMode() == kModePause) {
        device->Play();
    } else {
        device->Pause();
    }
    state = device->GetMode();
    owner.UpdateButtons();
}

void PlayMode::Resume(int saved) {
    if (!deviceOpen || device == nullptr) {
        return;
    }
    if (saved == kModePlay) {
        Play();
    } else if (saved == kModePause) {
        // A device that kept its pause through the rewind stays paused.
        if (device->GetMode() != kModePause) {
            PauseResume();
        }
    } else {
        Stop();
    }
    if (silenceTimer == 0) {  // a song in its silence is already under way
        state = deviceOpen && device != nullptr ? device->GetMode() : kModeStop;
    }
    owner.UpdateButtons();
}

void PlayMode::Previous() {
    if (!active) {
        return;
    }
    positionMs = deviceOpen && device != nullptr ? device->GetPosition() : 0;
    if (deviceOpen && device != nullptr && positionMs > gSettings.play.BackLimit) {
        const int remembered = state;
        device->Seek(0);
        Resume(remembered);
    } else {
        Select(kSelectPrevious);
    }
    owner.UpdateButtons();
}

void PlayMode::Next() {
    if (active) {
        Select(kSelectNext);
    }
}

void PlayMode::JumpToSong() {
    if (!HasSongs()) {
        return;
    }
    const int chosen = owner.ChooseSong(*this);
    owner.RefreshAll();
    // Only a real position: one past the end would wrap and might stop the song.
    if (chosen >= 0 && chosen < GetSongCount()) {
        Select(chosen);
    }
}

int PlayMode::GetSongPosition() {
    if (!active || !deviceOpen || !songLoaded || device == nullptr) {
        return 0;
    }
    if (seekHeld) {
        return positionMs;
    }
    const std::uint32_t serial = songSerial;
    const int position = device->GetPosition();
    // The query can report the end of the song, and the next song is selected before it returns.
    if (serial == songSerial) {
        positionMs = position;
    }
    return positionMs;
}

int PlayMode::GetSongLength() const {
    return active && songLoaded ? lengthMs : 0;
}

int PlayMode::GetDeviceType() const {
    return active && songLoaded ? deviceType : 0;
}

std::uint32_t PlayMode::GetVolume() {
    return songVolume ? songVolume->GetLevel() : 0;
}

void PlayMode::SetVolume(std::uint32_t level) {
    if (songVolume) {
        songVolume->SetLevel(level);
    }
}

std::int32_t PlayMode::GetBalance() {
    return songVolume ? songVolume->GetBalance() : 0;
}

void PlayMode::SetBalance(std::int32_t value) {
    if (songVolume) {
        songVolume->SetBalance(value);
    }
}

int PlayMode::GetPanelFlags() {
    const int base = GetDeviceType() == kDeviceTypeCdAudio ? kPanelEject | kPanelList : kPanelOpen | kPanelList;
    if (!HasSongs()) {
        return base;
    }
    constexpr int kQueueButtons = kPanelPlay | kPanelPrevious | kPanelNext | kPanelJump;
    constexpr int kSeekButtons = kPanelSeekBack | kPanelSeekForward;
    int flags = base | kQueueButtons;
    if (songLoaded) {
        if (!deviceOpen || device == nullptr) {
            state = kModeStop;
        } else if (state != kModeSeek) {
            state = device->GetMode();
        }
        switch (state) {
            case kModeStop:
                flags = base | kQueueButtons | kPanelPause | kSeekButtons;
                break;
            case kModePlay:
                flags = base | kPanelStop | kPanelPause | kSeekButtons | kPanelPrevious | kPanelNext | kPanelJump;
                break;
            case kModeSeek:
            case kModePause:
                flags = base | kPanelStop | kQueueButtons | kPanelPause | kSeekButtons;
                break;
            default:
                break;
        }
    }
    if (hasText) {
        flags |= kPanelText;
    }
    if (hasWrd) {
        flags |= kPanelWrd;
    }
    return flags;
}
