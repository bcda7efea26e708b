// The recording dialog "録音" (template 13): records the sound card's input into WAVE files,
// alone or linked to playback. The main window keeps it in its recorder field while it runs and
// forwards its timer, device and companion-window messages to it while recorderActive is set.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "recorder/RecordController.h"
#include "recorder/RecordPlayback.h"
#include "recorder/WaveInPort_win.h"
#include "recorder/WaveRecorder.h"
#include "ui/framework/Dialog_win.h"

class PlayMode;

class RecordDialog final : public Dialog, private RecordView {
public:
    // mode: the main window's current play mode; recorderActive: its field of that name.
    RecordDialog(PlayMode& mode, int& recorderActive);

    // Runs the dialog modally, owned by owner. The settings are read when it starts and
    // written when it ends.
    void Run(HWND owner);
    // WM_TIMER, MM_MCINOTIFY and the two viewer-closed messages, while recorderActive is set.
    void OnPlayerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The owner is closing: the recording stops and the dialog ends as soon as it is able.
    void RequestClose();

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInitDialog();
    void PlaceAtSavedPosition();
    void OnCommand(int id, int code);
    void OnDestroy();
    void Browse();
    void ShowFormat();
    void ShowFigures();
    void UpdateNameField();
    void SetText(int id, const std::string& text);

    // RecordView.
    std::string ReadNameField() override;
    bool AskOverwrite(const char* fileName) override;
    void ShowOutputPath(const char* path) override;
    void UpdateControls() override;
    void EndDialog() override;

    PlayModePlayback playback;
    int& recorderActive;
    std::unique_ptr<SystemWaveInPort> port;
    std::unique_ptr<WaveRecorder> recorder;
    std::unique_ptr<RecordController> controller;
};
