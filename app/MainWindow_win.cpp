// The main window's life and message routing: creation of the play modes and the panel, mode
// switching, sizing, painting, dropped files, and the timer and device messages for the
// current mode.
#include "app/MainWindow_win.h"

#include <shellapi.h>

#include "app/AppNames.h"
#include "app/MainWindowRules.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/containers/DeviceContext_win.h"
#include "app/containers/SystemFunction_win.h"
#include "app/containers/WindowMessages.h"
#include "editors/CdListEditor_win.h"
#include "editors/ListSelectionDialog_win.h"
#include "editors/SmallPickers_win.h"
#include "play/CdPlayMode.h"
#include "play/FileModeParts_win.h"
#include "play/FilePlayMode.h"
#include "recorder/RecordDialog_win.h"
#include "ui/Panel_win.h"

namespace {

constexpr int kDroppedPathBytes = 520;
// The timer that takes a notice off the panel again. The modes' timers are identified by their
// objects' addresses, which are never this small.
constexpr UINT_PTR kNoticeTimerId = 1;
constexpr UINT kNoticeShownMs = 4000;
// About once a second the session is written when it changed.
constexpr UINT_PTR kSessionTimerId = 2;
constexpr UINT kSessionCheckMs = 1000;

}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_MOVE:
            OnMove();
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETFOCUS:
            FocusPlayOrStop();
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_NCHITTEST:
            return OnNcHitTest(wParam, lParam);
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_SYSCOMMAND:
            if (OnSysCommand(wParam)) {
                return 0;
            }
            break;
        case kTimerMessage:
            if (wParam == kSessionTimerId) {
                SaveChangedSession();
                return 0;
            }
            if (wParam == kNoticeTimerId) {
                ::KillTimer(hwnd, kNoticeTimerId);
                if (panel) {
                    panel->ShowNotice(nullptr);
                }
                return 0;
            }
            RouteToMode(message, wParam, lParam);
            return 0;
        case kPassOverMessage:
        case kMciNotifyMessage:
        case WM_TEXTVIEWER_CLOSED:
        case WM_WRDSCREEN_CLOSED:
            RouteToMode(message, wParam, lParam);
            return 0;
        case WM_APPCOMMAND:
            if (OnMediaKey(MediaKeyOfAppCommand(GET_APPCOMMAND_LPARAM(lParam)))) {
                return TRUE;
            }
            break;
        case WM_HOTKEY:
            OnMediaKey(MediaKeyOfHotKey(static_cast<int>(wParam)));
            return 0;
        case WM_CLOSE:
            if (DeferCloseToRecorder()) {
                return 0;
            }
            // Another modal dialog (an editor, the settings, a picker) holds the play mode that
            // the window's end would delete: the close waits until the user has closed it.
            if (!IsWindowEnabled(hwnd)) {
                return 0;
            }
            break;
        case WM_ENDSESSION:
            // Windows is going down and may end the player without WM_DESTROY: a recording
            // is closed with its sizes first.
            if (wParam) {
                if (recorder) {
                    recorder->RequestClose();
                }
                SaveChangedSession();
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (!gSettings.player.FixWindow) {
                // A press anywhere on the panel drags the window.
                SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            }
            return 0;
        case WM_RBUTTONDOWN: {
            RECT frame;
            GetWindowRect(hwnd, &frame);
            ShowSystemMenuAt(static_cast<short>(LOWORD(lParam)) + frame.left,
                             static_cast<short>(HIWORD(lParam)) + frame.top);
            return 0;
        }
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_PAINT:
            if (panel) {
                OnPaint();
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            if (panel) {
                panel->PaintBackground(reinterpret_cast<HDC>(wParam));
                return 0;
            }
            break;
        case WM_DRAWITEM:
            if (panel) {
                return panel->RouteDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::OnCreate() {
    CreateModes();
    const int lastMode = ResolveStartMode(gStartOptions) == 2 ? 2 : 1;
    currentMode = lastMode == 2 ? static_cast<PlayMode*>(cdMode.get()) : fileMode.get();
    gSettings.player.LastMode = lastMode;
    ExtendSystemMenu();
    panel = std::make_unique<Panel>(*this);
    EnableModeButtons(lastMode);
    if (gSettings.player.TopMost) {
        CheckMenuItem(systemMenu, IDM_TOP_MOST, MF_BYCOMMAND | MF_CHECKED);
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (gSettings.player.FixWindow) {
        CheckMenuItem(systemMenu, IDM_FIX_WINDOW, MF_BYCOMMAND | MF_CHECKED);
    }
    if (form == kFlatForm) {
        CheckMenuItem(systemMenu, IDM_FLAT, MF_BYCOMMAND | MF_CHECKED);
    }
    currentMode->Activate();
    if (gStartOptions.playAtStart) {
        currentMode->Play();
    }
    // What was loaded is what is stored; from now on changes are written as they happen.
    fileMode->StoreSession();
    cdMode->StoreSession();
    sessionSaver.TakeChanges(gSettings, FileHistory);
    ::SetTimer(hwnd, kSessionTimerId, kSessionCheckMs, nullptr);
    RegisterMediaHotKeys();
    return 0;
}

void MainWindow::SaveChangedSession() {
    if (fileMode) {
        fileMode->StoreSession();
    }
    if (cdMode) {
        cdMode->StoreSession();
    }
    if (sessionSaver.TakeChanges(gSettings, FileHistory)) {
        SaveSettings();
    }
}

// The file mode on the song history, which chooses lists through the play list selection dialog,
// and the CD mode on its drive, which asks the user for a drive through the CD drive dialog and
// edits the disc's list in the CD list editor.
void MainWindow::CreateModes() {
    fileMode = std::make_unique<FilePlayMode>(*this, std::make_unique<SystemFileModeParts>(hwnd), FileHistory);
    cdMode = std::make_unique<CdPlayMode>(*this);
    HWND window = hwnd;
    fileMode->SelectPlayLists = [window](StringList& names) { return ::SelectPlayLists(window, names); };
    cdMode->EditCdList = [window](CdPlayMode&, std::uint32_t discId) { return ::EditCdList(window, discId); };
    cdMode->ChooseCdDrive = [window](CdPlayMode& mode) {
        char drive[8] = {};
        const char* current = mode.DriveLetter();
        for (std::size_t i = 0; current[i] != '\0' && i + 1 < sizeof drive; ++i) {
            drive[i] = current[i];
        }
        if (!::ChooseCdDrive(window, drive, sizeof drive)) {
            return 0;
        }
        mode.SetDriveLetter(drive);
        return 1;
    };
}

void MainWindow::OnDestroy() {
    ::KillTimer(hwnd, kSessionTimerId);
    UnregisterMediaHotKeys();
    if (currentMode) {
        currentMode->Deactivate();
    }
    currentMode = nullptr;
    // The modes write their state into the settings as they go; the panel goes after them.
    fileMode.reset();
    cdMode.reset();
    panel.reset();
    // No more drops while the window goes away.
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & ~WS_EX_ACCEPTFILES);
    gSettings.player.Form = form;
    PostQuitMessage(0);
}

void MainWindow::OnSize(UINT kind, int width, int height) {
    clientWidth = width;
    clientHeight = height;
    if (panel) {
        panel->Layout(form, width, height);
    }
    const bool minimized = kind == SIZE_MINIMIZED;
    if (!minimized && form == kFlatForm) {
        RECT frame;
        GetWindowRect(hwnd, &frame);
        gSettings.player.FlatWidth = frame.right - frame.left;
    }
    if (systemMenu) {
        UpdateSystemMenuForSize(minimized);
    }
}

// The skinned background, then the parts and controls over it with the current state.
void MainWindow::OnPaint() {
    {
        const PaintDc dc(hwnd);
        panel->PaintBackground(dc.Get());
    }
    panel->UpdateTexts();
    panel->UpdateButtons();
    panel->UpdateTime(true);
}

void MainWindow::RouteToMode(UINT message, WPARAM wParam, LPARAM lParam) {
    // The recording dialog takes these messages while it drives the list.
    if (recorderActive && recorder) {
        recorder->OnPlayerMessage(message, wParam, lParam);
        return;
    }
    if (currentMode) {
        currentMode->HandleTimerMessage(message, wParam, lParam);
    }
}

void MainWindow::OnDropFiles(HDROP drop) {
    using QueryFunction = UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT);
    using FinishFunction = void(WINAPI*)(HDROP);
    const auto DragQueryFileA = SystemFunction<QueryFunction>("shell32.dll", "DragQueryFileA");
    const auto DragFinish = SystemFunction<FinishFunction>("shell32.dll", "DragFinish");
    if (DragQueryFileA == nullptr || DragFinish == nullptr) {
        return;
    }
    StringList dropped;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    char path[kDroppedPathBytes];
    for (UINT i = 0; i < count; ++i) {
        // Names longer than the buffer would arrive cut; they are left out rather than mangled.
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length >= sizeof path) {
            continue;
        }
        if (DragQueryFileA(drop, i, path, sizeof path) > 0) {
            dropped.InsertString(-1, path);
        }
    }
    DragFinish(drop);
    if (fileMode && dropped.Count() > 0) {
        fileMode->DropFiles(dropped);
    }
}

void MainWindow::SwitchMode(int mode) {
    PlayMode* next = mode == 2 ? static_cast<PlayMode*>(cdMode.get()) : fileMode.get();
    if (next == nullptr || next == currentMode) {
        return;
    }
    EnableModeButtons(mode);
    if (currentMode) {
        currentMode->Deactivate();
    }
    currentMode = next;
    gSettings.player.LastMode = mode == 2 ? 2 : 1;
    currentMode->Activate();
    RefreshAll();
}

// The button of the current mode shows pressed (disabled); the other one is usable.
void MainWindow::EnableModeButtons(int mode) {
    if (panel) {
        EnableWindow(panel->ControlWindow(kFileModeButton), mode != 1);
        EnableWindow(panel->ControlWindow(kCdModeButton), mode == 1);
    }
}

void MainWindow::FocusButton(int id) {
    if (HWND control = panel ? panel->ControlWindow(id) : nullptr) {
        SetFocus(control);
    }
}

bool MainWindow::ButtonEnabled(int id) const {
    HWND control = panel ? panel->ControlWindow(id) : nullptr;
    return control != nullptr && IsWindowEnabled(control);
}

void MainWindow::UpdateButtons() {
    if (panel) {
        panel->UpdateButtons();
    }
}

void MainWindow::UpdateTexts() {
    if (panel) {
        panel->UpdateTexts();
    }
}

void MainWindow::UpdateTime(bool forceTitle) {
    if (panel) {
        panel->UpdateTime(forceTitle);
    }
}

void MainWindow::RefreshAll() {
    if (panel) {
        panel->RefreshAll();
    }
}

std::uintptr_t MainWindow::SetTimer(PlayMode& mode, std::uint32_t intervalMs) {
    return ::SetTimer(hwnd, reinterpret_cast<UINT_PTR>(&mode), intervalMs, nullptr);
}

void MainWindow::KillTimer(PlayMode& mode) {
    ::KillTimer(hwnd, reinterpret_cast<UINT_PTR>(&mode));
}

void MainWindow::BeginWait() {
    savedCursor = ::SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void MainWindow::EndWait() {
    ::SetCursor(savedCursor);
    savedCursor = nullptr;
}

// The mode's position timer is identified by the mode's address; its silence timer by the next
// byte, which is no other mode's address.
std::uintptr_t MainWindow::StartSilence(PlayMode& mode, std::uint32_t milliseconds) {
    return ::SetTimer(hwnd, reinterpret_cast<UINT_PTR>(&mode) + 1, milliseconds, nullptr);
}

void MainWindow::StopSilence(PlayMode& mode) {
    ::KillTimer(hwnd, reinterpret_cast<UINT_PTR>(&mode) + 1);
}

bool MainWindow::IsShiftDown() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

int MainWindow::ChooseSong(PlayMode& mode) {
    return ::ChooseSong(hwnd, mode);
}

void MainWindow::ShowNotice(const char* text) {
    if (panel) {
        panel->ShowNotice(text);
        ::SetTimer(hwnd, kNoticeTimerId, kNoticeShownMs, nullptr);
    }
}

void MainWindow::PostPassOver(PlayMode& /*mode*/) {
    // Only the current mode passes over songs; a mode switch cancels the other's pass.
    PostMessageA(hwnd, kPassOverMessage, 0, 0);
}

HWND CreateMainWindow(HINSTANCE instance) {
    // The object lives for the program's whole run: the window is destroyed before the loop
    // ends and the object with the program.
    static MainWindow mainWindow;
    return mainWindow.Create(instance) ? mainWindow.hwnd : nullptr;
}
