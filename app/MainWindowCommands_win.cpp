// The main window's commands: panel buttons (WM_COMMAND) and the system menu, its pop-up copy
// and the accelerators (WM_SYSCOMMAND), both run through the one command table.
#include <windows.h>

#include "app/CommandTable.h"
#include "app/MainWindow_win.h"
#include "app/MediaKeys.h"
#include "app/Settings.h"
#include "app/StartupSequence.h"
#include "play/PlayMode.h"
#include "recorder/RecordDialog_win.h"
#include "settingsui/SettingsSheet_win.h"
#include "ui/AboutDialog_win.h"
#include "ui/HelpViewer_win.h"
#include "ui/PanelNumbers.h"

void MainWindow::FocusPlayOrStop() {
    FocusButton(ButtonEnabled(kPlayButton) ? kPlayButton : kStopButton);
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        // A pop-up menu choice or an accelerator.
        SendMessageA(hwnd, WM_SYSCOMMAND, wParam, 0);
        return;
    }
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) != 0 || id >= kPanelControlCount) {
        return;
    }
    if (const PlayerCommand* command = FindPlayerCommand(id)) {
        RunCommand(*command, reinterpret_cast<HWND>(lParam));
    }
}

bool MainWindow::OnSysCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const PlayerCommand* command = id >= kPanelControlCount ? FindPlayerCommand(id) : nullptr;
    if (command == nullptr) {
        return false;  // the system's own commands
    }
    RunCommand(*command, nullptr);
    return true;
}

void MainWindow::RunCommand(const PlayerCommand& command, HWND sender) {
    if (command.focusFirst >= 0) {
        FocusButton(command.focusFirst);
    }
    switch (command.action) {
        case PlayerAction::CloseWindow:
            DestroyWindow(hwnd);
            return;
        case PlayerAction::Minimize:
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        case PlayerAction::ShowMenu: {
            RECT button;
            GetWindowRect(sender, &button);
            ShowSystemMenuAt(button.left, button.bottom + 2);
            return;
        }
        case PlayerAction::FileMode:
            SwitchMode(1);
            return;
        case PlayerAction::CdMode:
            SwitchMode(2);
            return;
        case PlayerAction::Record:
            RunRecorder();
            return;
        case PlayerAction::ShowSettings:
            ShowSettingsSheet(hwnd);
            return;
        case PlayerAction::ChooseFont:
            ChoosePanelFont();
            return;
        case PlayerAction::ShowHelp:
            ShowHelpContents(hwnd);
            return;
        case PlayerAction::ShowAbout:
            ShowAbout(hwnd);
            return;
        case PlayerAction::ToggleTopMost:
            ToggleTopMost();
            return;
        case PlayerAction::ToggleFixWindow:
            ToggleFixWindow();
            return;
        case PlayerAction::ToggleFlat:
            ToggleForm();
            return;
        default:
            if (currentMode) {
                RunPlayAction(*currentMode, command.action);
            }
            return;
    }
}

// The commands that act on the current play mode.
void MainWindow::RunPlayAction(PlayMode& mode, PlayerAction action) {
    switch (action) {
        case PlayerAction::Stop:
            mode.Stop();
            if (!ButtonEnabled(kStopButton)) {
                FocusButton(kPlayButton);
            }
            return;
        case PlayerAction::Play:
            mode.Play();
            if (!ButtonEnabled(kPlayButton)) {
                FocusButton(kStopButton);
            }
            return;
        case PlayerAction::PauseResume:
            mode.PauseResume();
            return;
        case PlayerAction::Previous:
            mode.Previous();
            return;
        case PlayerAction::Next:
            mode.Next();
            return;
        case PlayerAction::SkipBack:
            mode.Skip(-1);
            return;
        case PlayerAction::SkipForward:
            mode.Skip(+1);
            return;
        case PlayerAction::JumpToSong:
            // The dialog takes the focus; it comes back to the jump button.
            mode.JumpToSong();
            FocusButton(kJumpButton);
            return;
        case PlayerAction::EditList:
            mode.EditList();
            return;
        case PlayerAction::OpenSource:
            if (mode.OpenSource()) {
                FocusPlayOrStop();
            } else {
                FocusButton(kSelectButton);
            }
            return;
        case PlayerAction::Eject:
            mode.Eject();
            return;
        case PlayerAction::ToggleText:
            mode.IsTextOpen() ? mode.CloseText() : mode.OpenText();
            return;
        case PlayerAction::ToggleWrd:
            mode.IsWrdOpen() ? mode.CloseWrd() : mode.OpenWrd();
            return;
        default:
            return;
    }
}

// A media key acts like its panel button. Ignored while a dialog of the player is open (the
// window is disabled then), as the buttons are.
bool MainWindow::OnMediaKey(std::optional<MediaKey> key) {
    if (!key) {
        return false;
    }
    if (currentMode && IsWindowEnabled(hwnd)) {
        if (const std::optional<PlayerAction> action = MediaKeyAction(*key, currentMode->GetState())) {
            RunPlayAction(*currentMode, *action);
        }
    }
    return true;
}

// The media keys also work while another program has the focus, where the user allows it and
// the system grants the keys (another player may hold them: then they are simply not ours).
void MainWindow::RegisterMediaHotKeys() {
    if (!gSettings.player.MediaKeys) {
        return;
    }
    for (int i = 0; i < kMediaHotKeyCount; ++i) {
        RegisterHotKey(hwnd, kMediaHotKeyFirstId + i, MOD_NOREPEAT, kMediaHotKeys[i]);
    }
}

void MainWindow::UnregisterMediaHotKeys() {
    for (int i = 0; i < kMediaHotKeyCount; ++i) {
        UnregisterHotKey(hwnd, kMediaHotKeyFirstId + i);
    }
}

void MainWindow::RunRecorder() {
    if (recorder || currentMode == nullptr) {
        return;
    }
    RecordDialog dialog(*currentMode, recorderActive);
    recorder = &dialog;
    dialog.Run(hwnd);
    recorder = nullptr;
    recorderActive = 0;
    if (closeAfterRecorder) {
        closeAfterRecorder = false;
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
}

// The dialog holds the current mode, which the window's end deletes: the dialog ends first and
// the close is carried out after it.
bool MainWindow::DeferCloseToRecorder() {
    if (recorder == nullptr) {
        return false;
    }
    closeAfterRecorder = true;
    recorder->RequestClose();
    return true;
}
