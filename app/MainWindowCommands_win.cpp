// The main window's commands: panel buttons (WM_COMMAND ids 0-22) and the system menu, its
// pop-up copy and the accelerators (WM_SYSCOMMAND ids 100-116).
#include <windows.h>

#include "app/MainWindowRules.h"
#include "app/MainWindow_win.h"
#include "app/Settings.h"
#include "app/StartupSequence.h"
#include "play/PlayMode.h"
#include "ui/Dialog_win.h"

namespace {

// Panel button ids.
constexpr int kButtonClose = 0;
constexpr int kButtonMinimize = 1;
constexpr int kButtonMenu = 2;
constexpr int kButtonStop = 3;
constexpr int kButtonPlay = 4;
constexpr int kButtonPause = 5;
constexpr int kButtonPrevious = 8;
constexpr int kButtonNext = 9;
constexpr int kButtonJump = 10;
constexpr int kButtonFileMode = 11;
constexpr int kButtonCdMode = 12;
constexpr int kButtonList = 13;
constexpr int kButtonOpen = 14;
constexpr int kButtonEject = 15;
constexpr int kButtonRecord = 16;
constexpr int kButtonText = 21;
constexpr int kButtonWrd = 22;

}  // namespace

void MainWindow::FocusPlayOrStop() {
    FocusButton(ButtonEnabled(kButtonPlay) ? kButtonPlay : kButtonStop);
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
        case kButtonClose:
            DestroyWindow(hwnd);
            return;
        case kButtonMinimize:
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        case kButtonMenu: {
            RECT button;
            GetWindowRect(reinterpret_cast<HWND>(lParam), &button);
            ShowSystemMenuAt(button.left, button.bottom + 2);
            return;
        }
        case kButtonStop:
            mode.Stop();
            if (!ButtonEnabled(kButtonStop)) {
                FocusButton(kButtonPlay);
            }
            return;
        case kButtonPlay:
            mode.Play();
            if (!ButtonEnabled(kButtonPlay)) {
                FocusButton(kButtonStop);
            }
            return;
        case kButtonPause:
            mode.PauseResume();
            return;
        case kButtonPrevious:
            mode.Previous();
            return;
        case kButtonNext:
            mode.Next();
            return;
        case kButtonJump:
            mode.JumpToSong();
            FocusButton(kButtonJump);
            return;
        case kButtonFileMode:
            SwitchMode(1);
            return;
        case kButtonCdMode:
            SwitchMode(2);
            return;
        case kButtonList:
            mode.EditList();
            return;
        case kButtonOpen:
            if (mode.OpenSource()) {
                FocusPlayOrStop();
            } else {
                FocusButton(kButtonOpen);
            }
            return;
        case kButtonEject:
            mode.Eject();
            return;
        case kButtonRecord:
            // The recorder is not part of this build yet.
            return;
        case kButtonText:
            mode.IsTextOpen() ? mode.CloseText() : mode.OpenText();
            return;
        case kButtonWrd:
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
            if (!ButtonEnabled(kButtonStop)) {
                FocusButton(kButtonPlay);
            }
            return true;
        case kCmdPlay:
            if (mode) {
                mode->Play();
            }
            if (!ButtonEnabled(kButtonPlay)) {
                FocusButton(kButtonStop);
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
