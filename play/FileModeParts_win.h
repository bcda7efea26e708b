// The file play mode's system parts on Win32: the MCI, WAVE and MP3 devices it owns, the text
// viewer and WRD player it makes for a song, and the common file-open dialog.
#pragma once

#include <windows.h>

#include "devices/MciFileDevice.h"
#include "devices/Mp3FileDevice_win.h"
#include "devices/WaveFileDevice_win.h"
#include "play/FileModeParts.h"

class SystemFileModeParts : public FileModeParts {
public:
    // The devices tell owner (the main window) when a song ends.
    explicit SystemFileModeParts(HWND owner);
    ~SystemFileModeParts() override = default;

    MediaDevice& MciDevice() override { return mci; }
    MediaDevice& WaveDevice() override { return wave; }
    MediaDevice& Mp3Device() override { return mp3; }
    std::uint16_t MciTimebase() override { return mci.timebase; }

    std::unique_ptr<CompanionText> OpenTextViewer(const char* path) override;
    std::unique_ptr<CompanionScript> MakeWrdPlayer(const char* scriptPath,
                                                   MediaDevice& device,
                                                   std::uint16_t timebase) override;
    OpenDialogResult RunOpenDialog(const char* initialDirectory, std::int32_t filterIndex) override;

    // The stream devices, for tests that look at their buffers.
    WaveFileDevice& Wave() { return wave; }
    WaveFileDevice& Mp3() { return mp3; }

private:
    HWND owner;
    MciFileDevice mci;
    WaveFileDevice wave;
    Mp3FileDevice mp3;
};
