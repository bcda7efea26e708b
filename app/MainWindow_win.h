// The player's only top-level window (class Melodrix32): the skinned panel in its normal or flat
// form. It owns both play modes and the panel, routes timer and device messages to the current
// mode and turns buttons, the system menu, accelerators and dropped files into calls on it.
#pragma once

#include <windows.h>

#include <shellapi.h>  // HDROP

#include <memory>
#include <optional>

#include "app/CommandTable.h"
#include "app/MediaKeys.h"
#include "app/SessionSaver.h"
#include "play/PlayOwner.h"
#include "ui/PanelHost_win.h"
#include "ui/framework/Window_win.h"

class PlayMode;
class FilePlayMode;
class CdPlayMode;
class Panel;
class RecordDialog;

// Registers the window classes of the player: the main window's, the panel controls', the text
// viewer's and the emulated screen's. False when the main window's class fails.
bool RegisterMainWindowClass(HINSTANCE instance);

class MainWindow final : public Window, public PlayOwner, public PanelHost {
public:
    MainWindow();
    ~MainWindow() override;

    // Creates the window at its saved position (or where the system puts it); false on failure.
    bool Create(HINSTANCE instance);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    FilePlayMode* FileMode() const { return fileMode.get(); }
    int Form() const { return form; }

    // PanelHost.
    HWND ParentWindow() override { return hwnd; }
    PlayMode* CurrentMode() override { return currentMode; }

    // PlayOwner.
    OwnerWindow Window() override { return hwnd; }
    void UpdateButtons() override;
    void UpdateTexts() override;
    void UpdateTime(bool forceTitle) override;
    void RefreshAll() override;
    std::uintptr_t SetTimer(PlayMode& mode, std::uint32_t intervalMs) override;
    void KillTimer(PlayMode& mode) override;
    void BeginWait() override;
    void EndWait() override;
    std::uintptr_t StartSilence(PlayMode& mode, std::uint32_t milliseconds) override;
    void StopSilence(PlayMode& mode) override;
    bool IsShiftDown() override;
    int ChooseSong(PlayMode& mode) override;
    void ShowNotice(const char* text) override;
    void PostPassOver(PlayMode& mode) override;

    // Set by the recorder while it records; device messages then go to it.
    int recorderActive = 0;
    // The recording dialog while it runs, else null.
    RecordDialog* recorder = nullptr;

private:
    LRESULT OnCreate();
    void CreateModes();
    void OnDestroy();
    void OnMove();
    void OnSize(UINT kind, int width, int height);
    void OnPaint();
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    void OnDropFiles(HDROP drop);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnSysCommand(WPARAM wParam);
    void RunCommand(const PlayerCommand& command, HWND sender);
    void RunPlayAction(PlayMode& mode, PlayerAction action);
    bool OnMediaKey(std::optional<MediaKey> key);
    void RegisterMediaHotKeys();
    void UnregisterMediaHotKeys();
    void RouteToMode(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the recording dialog for the current mode (once: a second request while it runs
    // does nothing).
    void RunRecorder();
    // A close while the recording dialog runs ends the dialog first.
    bool DeferCloseToRecorder();
    // Writes the settings when the session changed since the last write.
    void SaveChangedSession();

    void SwitchMode(int mode);
    void EnableModeButtons(int mode);
    void ToggleForm();
    void ToggleTopMost();
    void ToggleFixWindow();
    void ChoosePanelFont();
    void ShowSystemMenuAt(int x, int y);
    void FocusButton(int id);
    bool ButtonEnabled(int id) const;
    void FocusPlayOrStop();
    void ExtendSystemMenu();
    void UpdateSystemMenuForSize(bool minimized);
    int FlatOuterHeight() const;

    HMENU systemMenu = nullptr;
    int form = 0;
    int flatHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    PlayMode* currentMode = nullptr;
    std::unique_ptr<FilePlayMode> fileMode;
    std::unique_ptr<CdPlayMode> cdMode;
    std::unique_ptr<Panel> panel;
    HCURSOR savedCursor = nullptr;
    SessionSaver sessionSaver;
    // A close arrived while the recording dialog ran; it is carried out when the dialog ends.
    bool closeAfterRecorder = false;
};

// Creates the main window; the object lives until the window is destroyed and the program ends.
HWND CreateMainWindow(HINSTANCE instance);
