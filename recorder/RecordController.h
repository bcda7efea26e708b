// The recording dialog's logic without its window: the four linked modes, the output names,
// start and stop, the end of a recorded song, and the guard that keeps clicks, closes and song
// ends dispatched while the recorder drains from starting or stopping anything twice.
#pragma once

#include <cstdint>
#include <string>

#include "app/Settings.h"
#include "recorder/RecordFigures.h"
#include "recorder/RecordPlayback.h"
#include "recorder/WaveRecorder.h"

// What the logic needs of the dialog's window.
class RecordView {
public:
    virtual ~RecordView() = default;
    // The text of the name field.
    virtual std::string ReadNameField() = 0;
    // Asks whether the existing file may be overwritten; true for Yes.
    virtual bool AskOverwrite(const char* fileName) = 0;
    virtual void ShowOutputPath(const char* path) = 0;
    // The start/stop button's text and the controls enabled as the state asks.
    virtual void UpdateControls() = 0;
    // Ends the dialog (a close asked for while the recorder was busy).
    virtual void EndDialog() = 0;
};

class RecordController {
public:
    RecordController(WaveRecorder& recorder, RecordPlayback& playback, RecordView& view);

    // Mode and folders from the settings; an empty folder is currentDirectory. Then a new
    // unique "untitled.wav" name in the single file's folder.
    void Load(const Settings::Record& settings, const char* currentDirectory);
    void Store(Settings::Record& settings) const;

    void SetMode(std::int32_t newMode);
    std::int32_t Mode() const { return mode; }
    // The name field: its label and its text (the output folder in mode 2, else the single
    // file's name without its folder).
    std::string Label() const;
    std::string NameFieldText() const;
    // The save-file dialog chose a file; the folder picker chose a folder.
    void ChooseFile(const char* path);
    void ChooseFolder(const char* folder);
    const std::string& SingleFolder() const { return singleFolder; }
    const std::string& MultiFolder() const { return multiFolder; }

    // The start/stop button.
    void OnStartStop();
    // The close button, Esc or the owner closing: true when the dialog may end now; otherwise
    // it ends as soon as the recorder has finished what it is doing.
    bool RequestClose();
    // Timer, device and companion-window messages forwarded by the main window.
    void OnPlayerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // Wave-input notifications that reach the dialog.
    void OnWaveInMessage(std::uint32_t message, std::uintptr_t header);
    // The dialog's window goes away.
    void OnDestroy();

    bool IsRecording() const { return recording; }
    bool IsBusy() const { return busy; }
    const std::string& OutputPath() const { return outputPath; }
    const std::string& OutputFolder() const { return outputFolder; }
    int SongIndex() const { return songIndex; }
    int SongCount() const { return songCount; }

private:
    void StartRecording();
    void RecordNextSong();
    void StopRecording();
    void OnSongEnded();
    // Runs an action with the busy guard, then what was asked for meanwhile.
    template <typename Action>
    void Guarded(Action action);
    void RunDeferred();

    WaveRecorder& recorder;
    RecordPlayback& playback;
    RecordView& view;

    std::int32_t mode = kRecordOneSong;
    std::string multiFolder;
    std::string singleFolder;
    std::string fileName;
    std::string outputFolder;
    std::string outputPath;
    bool recording = false;
    int songCount = 0;
    int songIndex = 0;

    bool busy = false;
    bool stopRequested = false;
    bool closeRequested = false;
};
