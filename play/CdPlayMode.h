// The play mode for the tracks of an audio CD in one drive: watches the disc, takes titles,
// volumes and the play order from the disc's CD list file, and plays through the CD device.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "devices/CdAudioDevice.h"
#include "devices/MciPort.h"
#include "devices/OwnerNotifier.h"
#include "play/DriveQuery.h"
#include "play/PlayMode.h"
#include "songfiles/CdListFile.h"

class CdPlayMode : public PlayMode {
public:
    // Takes the drive from the setting LastDrive (or the first CD-ROM drive when that is none)
    // and the play order from CDPlayMode.
    explicit CdPlayMode(PlayOwner& owner,
                        MciPort& port = SystemMciPort(),
                        OwnerNotifier& notifier = SystemOwnerNotifier(),
                        DriveQuery& drives = SystemDriveQuery());
    // Closes the drive and writes the play order and the drive back to the settings.
    ~CdPlayMode() override;
    void StoreSession() override;

    int BuildQueue() override;
    void FreeQueue() override;
    int GetSongCount() override;
    void GetSong(SongEntry& entry, int index) override;
    void GetQueueTitle(char* text, std::size_t capacity, int position) override;
    MediaDevice* OpenDevice(const SongEntry& entry) override;
    // Nothing: the drive stays open between tracks.
    void CloseDevice() override {}
    // Looks for a changed disc every eleventh tick.
    void OnTick() override;
    // Opens the drive and starts the timer, then looks at the disc. Without a disc the mode
    // stays inactive. Nonzero when the mode is active afterwards.
    int Activate() override;
    void Deactivate() override;
    int EditList() override;
    int OpenSource() override;
    // Opens the tray, or closes it again when this program opened it and no disc went in.
    int Eject() override;
    int GetPanelFlags() override;

    // Rebuilds the queue when a disc came or went since the last look.
    void CheckDisc();

    const char* DriveLetter() const { return driveLetter; }
    // Takes "X:" (a root path "X:\" is cut to it); anything else leaves no drive.
    void SetDriveLetter(const char* drive);
    std::uint32_t DiscId() const { return discId; }
    bool DriveOpen() const { return driveOpen != 0; }
    bool DiscPresent() const { return discPresent != 0; }
    const CdListFile* List() const { return cdList.get(); }
    CdAudioDevice& Device() { return cdDevice; }

    // The CD drive dialog, supplied by the main window: may change the drive through
    // SetDriveLetter and answers nonzero for OK. Until then it cancels.
    std::function<int(CdPlayMode&)> ChooseCdDrive;
    // The CD list editor for the disc, supplied by the main window: answers nonzero when the
    // list was saved. Until then it cancels.
    std::function<int(CdPlayMode&, std::uint32_t discId)> EditCdList;

private:
    void ChooseDrive(DriveQuery& drives);
    // Forgets the disc: no queue, nothing current.
    void ForgetDisc();

    CdAudioDevice cdDevice;
    std::int32_t driveOpen = 0;
    std::int32_t discPresent = 0;
    std::uint32_t discId = 0;
    char driveLetter[3] = {};
    std::unique_ptr<CdListFile> cdList;
    SongEntry opening;
    std::int32_t tickCount = 0;
    std::int32_t trayOpenedHere = 0;
};
