// The main window's commands: panel buttons (WM_COMMAND ids 0-22) and the system menu, its
// pop-up copy and the accelerators (WM_SYSCOMMAND ids 100-116).
#include <windows.h>

#include "app/MainWindowRules.h"
#include "app/MainWindow_win.h"
#include "app/Settings.h"
#include "app/StartupSequence.h"
#include "play/PlayMode.h"
#include "ui/Dialog_win.h"
#include "ui/PanelLayout.h"

void MainWindow::FocusPlayOrStop() {
    FocusButton(ButtonEnabled(kPlayButton) ? kPlayButton : kStopButton);
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        // A pop-up menu choice or an accelerator.
        SendMessageA(hwnd, WM_SYSCOMMAND, wParam, 0);
        return;
    }
    if (HIWORD(wParam) != 0 || currentMode == nullptr) {
        return;
    }
    PlayMode& mode = *currentMode;
    switch (LOWORD(wParam)) {
        case kCloseButton:
            DestroyWindow(hwnd);
            return;
        case kMinimizeButton:
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        case kMenuButton: {
            RECT button;
            GetWindowRect(reinterpret_cast<HWND>(lParam), &button);
            ShowSystemMenuAt(button.left, button.bottom + 2);
            return;
        }
        case kStopButton:
            mode.Stop();
            if (!ButtonEnabled(kStopButton)) {
                FocusButton(kPlayButton);
            }
            return;
        case kPlayButton:
            mode.Play();
            if (!ButtonEnabled(kPlayButton)) {
                FocusButton(kStopButton);
            }
            return;
        case kPauseButton:
            mode.PauseResume();
            return;
        case kPreviousButton:
            mode.Previous();
            return;
        case kNextButton:
            mode.Next();
            return;
        case kJumpButton:
            mode.JumpToSong();
            FocusButton(kJumpButton);
            return;
        case kFileModeButton:
            SwitchMode(1);
            return;
        case kCdModeButton:
            SwitchMode(2);
            return;
        case kListButton:
            mode.EditList();
            return;
        case kSelectButton:
            if (mode.OpenSource()) {
                FocusPlayOrStop();
            } else {
                FocusButton(kSelectButton);
            }
            return;
        case kEjectButton:
            mode.Eject();
            return;
        case kRecordButton:
            // The recorder is not part of this build yet.
            return;
        case kTextToggleId:
            mode.IsTextOpen() ? mode.CloseText() : mode.OpenText();
            return;
        case kWrdToggleId:
            mode.IsWrdOpen() ? mode.CloseWrd() : mode.OpenWrd();
            return;
        default:
            return;
    }
}

bool MainWindow::OnSysCommand(WPARAM wParam, LPARAM /*lParam*/) {
    const int id = LOWORD(wParam);
    const int focus = FocusButtonOfCommand(id);
    if (focus >= 0) {
        FocusButton(focus);
    }
    PlayMode* mode = currentMode;
    switch (id) {
        case kCmdStop:
            if (mode) {
                mode->Stop();
            }
            if (!ButtonEnabled(kStopButton)) {
                FocusButton(kPlayButton);
            }
            return true;
        case kCmdPlay:
            if (mode) {
                mode->Play();
            }
            if (!ButtonEnabled(kPlayButton)) {
                FocusButton(kStopButton);
            }
            return true;
        case kCmdPauseResume:
            if (mode) {
                mode->PauseResume();
            }
            return true;
        case kCmdPrevious:
            if (mode) {
                mode->Previous();
            }
            return true;
        case kCmdNext:
            if (mode) {
                mode->Next();
            }
            return true;
        case kCmdRecord:
        case kCmdSettings:
            // The recorder and the settings sheet are not part of this build yet.
            return true;
        case kCmdEject:
            if (mode) {
                mode->Eject();
            }
            return true;
        case kCmdFont:
            ChoosePanelFont();
            return true;
        case kCmdHelp:
            WinHelpA(hwnd, gHelpFilePath, HELP_FINDER, 0);
            return true;
        case kCmdAbout:
            ShowAbout(hwnd);
            return true;
        case kCmdTopMost:
            ToggleTopMost();
            return true;
        case kCmdFixWindow:
            ToggleFixWindow();
            return true;
        case kCmdFlat:
            ToggleForm();
            return true;
        case kCmdSkipBack:
            if (mode) {
                mode->Skip(-1);
            }
            return true;
        case kCmdSkipForward:
            if (mode) {
                mode->Skip(+1);
            }
            return true;
        case kCmdJump:
            if (mode) {
                mode->JumpToSong();
            }
            return true;
        default:
            return false;
    }
}
