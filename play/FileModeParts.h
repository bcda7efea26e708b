// What the file play mode needs from the system, as one seam: its three devices, the companion
// windows (text viewer, WRD screen) and the file-open dialog. The Win32 build supplies the real
// ones (FileModeParts_win.h); tests supply fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/containers/StringList.h"
#include "devices/MediaDevice.h"

// A text viewer showing a song's companion document; destroying it closes its window.
class CompanionText {
public:
    virtual ~CompanionText() = default;
    // The window still exists (the user may have closed it).
    virtual bool IsOpen() const = 0;
};

// A WRD script player with its screen window; destroying it closes the window.
class CompanionScript {
public:
    virtual ~CompanionScript() = default;
    virtual void OpenWindow() = 0;
    virtual void CloseWindow() = 0;
    virtual bool IsWindowOpen() const = 0;
    // Runs the script up to the song's MIDI tick.
    virtual void Advance(std::uint32_t tick) = 0;
};

// What the file-open dialog answered.
struct OpenDialogResult {
    bool accepted = false;     // false: cancelled, nothing else is set
    std::vector<char> buffer;  // the dialog's result: a path, or a folder and names, NUL-separated
    std::int32_t filterIndex = 1;
    std::string currentDirectory;  // the process's current folder after the dialog
};

class FileModeParts {
public:
    virtual ~FileModeParts() = default;

    // The devices, owned here and alive as long as this object.
    virtual MediaDevice& MciDevice() = 0;
    virtual MediaDevice& WaveDevice() = 0;
    virtual MediaDevice& Mp3Device() = 0;
    // Ticks per quarter note of the song open on the MCI device (0 without MIDI timing).
    virtual std::uint16_t MciTimebase() = 0;

    // A new viewer on an existing text file, owned by the main window.
    virtual std::unique_ptr<CompanionText> OpenTextViewer(const char* path) = 0;
    // A new WRD player for an existing script, timed by device.
    virtual std::unique_ptr<CompanionScript> MakeWrdPlayer(const char* scriptPath,
                                                           MediaDevice& device,
                                                           std::uint16_t timebase) = 0;
    // The file-open dialog: multiple selection, starting in initialDirectory with the filter
    // at filterIndex (1-based).
    virtual OpenDialogResult RunOpenDialog(const char* initialDirectory, std::int32_t filterIndex) = 0;
};

// Turns the open dialog's buffer into full paths: a single path is taken whole; a folder
// followed by names gives the folder (with a backslash added when it has none) and each name.
// Paths too long for a path buffer are left out. Answers the number of paths appended.
std::int32_t SplitOpenDialogResult(const std::vector<char>& buffer, StringList& paths);
