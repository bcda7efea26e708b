// The main window's life and message routing: creation of the play modes and the panel, mode
// switching, sizing, dropped files, and the timer and device messages for the current mode.
#include "app/MainWindow_win.h"

#include <shellapi.h>

#include "app/AppNames.h"
#include "app/containers/SystemFunction_win.h"
#include "app/MainWindowParts_win.h"
#include "app/MainWindowRules.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "play/PlayMode.h"

namespace {

constexpr UINT kMciNotify = 0x3B9;  // MM_MCINOTIFY
constexpr UINT kTextViewerClosed = WM_USER + 11;
constexpr UINT kWrdScreenClosed = WM_USER + 12;
constexpr int kDroppedPathBytes = 520;

}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

FilePlayMode* MainWindow::FileMode() const {
    return parts ? parts->FileMode() : nullptr;
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
            if (OnSysCommand(wParam, lParam)) {
                return 0;
            }
            break;
        case WM_TIMER:
        case kMciNotify:
        case kTextViewerClosed:
        case kWrdScreenClosed:
            RouteToMode(message, wParam, lParam);
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
        case WM_PRINTCLIENT:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (parts) {
                LRESULT result = 0;
                if (parts->HandlePanelMessage(message, wParam, lParam, result)) {
                    return result;
                }
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::OnCreate() {
    parts = std::make_unique<MainWindowParts>(*this);
    const int lastMode = ResolveStartMode(gStartOptions);
    if (lastMode == 2) {
        currentMode = parts->CdMode();
        gSettings.player.LastMode = 2;
    } else {
        currentMode = parts->FilePlayModeBase();
        gSettings.player.LastMode = 1;
    }
    ExtendSystemMenu();
    parts->CreatePanel();
    parts->EnableModeButtons(lastMode == 2 ? 2 : 1);
    if (gSettings.player.TopMost) {
        CheckMenuItem(systemMenu, kCmdTopMost, MF_BYCOMMAND | MF_CHECKED);
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (gSettings.player.FixWindow) {
        CheckMenuItem(systemMenu, kCmdFixWindow, MF_BYCOMMAND | MF_CHECKED);
    }
    if (form == kFormFlat) {
        CheckMenuItem(systemMenu, kCmdFlat, MF_BYCOMMAND | MF_CHECKED);
    }
    currentMode->Activate();
    if (gStartOptions.playAtStart) {
        currentMode->Play();
    }
    return 0;
}

void MainWindow::OnDestroy() {
    if (currentMode) {
        currentMode->Deactivate();
    }
    currentMode = nullptr;
    if (parts) {
        // The modes write their state into the settings as they go; the panel goes after them.
        parts->DestroyModes();
        parts->DestroyPanel();
    }
    // No more drops while the window goes away.
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & ~WS_EX_ACCEPTFILES);
    gSettings.player.Form = form;
    PostQuitMessage(0);
}

void MainWindow::OnSize(UINT kind, int width, int height) {
    clientWidth = width;
    clientHeight = height;
    if (parts) {
        parts->LayoutPanel(width, height, form);
    }
    const bool minimized = kind == SIZE_MINIMIZED;
    if (!minimized && form == kFormFlat) {
        RECT frame;
        GetWindowRect(hwnd, &frame);
        gSettings.player.FlatWidth = frame.right - frame.left;
    }
    if (systemMenu) {
        UpdateSystemMenuForSize(minimized);
    }
}

void MainWindow::RouteToMode(UINT message, WPARAM wParam, LPARAM lParam) {
    // The recorder takes these messages while it records; it is not part of this build yet.
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
    if (parts && dropped.Count() > 0) {
        parts->DropFiles(dropped);
    }
}

void MainWindow::SwitchMode(int mode) {
    if (!parts) {
        return;
    }
    PlayMode* next = mode == 2 ? parts->CdMode() : parts->FilePlayModeBase();
    if (next == currentMode) {
        return;
    }
    parts->EnableModeButtons(mode);
    if (currentMode) {
        currentMode->Deactivate();
    }
    currentMode = next;
    gSettings.player.LastMode = mode == 2 ? 2 : 1;
    currentMode->Activate();
    parts->RefreshPanel();
}

void MainWindow::FocusButton(int id) {
    if (parts) {
        parts->FocusControl(id);
    }
}

bool MainWindow::ButtonEnabled(int id) const {
    return parts && parts->ControlEnabled(id);
}

void MainWindow::UpdateButtons() {
    if (parts) {
        parts->UpdateButtons();
    }
}

void MainWindow::UpdateTexts() {
    if (parts) {
        parts->UpdateTexts();
    }
}

void MainWindow::UpdateTime(bool forceTitle) {
    if (parts) {
        parts->UpdateTime(forceTitle);
    }
}

void MainWindow::RefreshAll() {
    if (parts) {
        parts->RefreshPanel();
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

void MainWindow::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

bool MainWindow::IsShiftDown() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

int MainWindow::ChooseSong(PlayMode& mode) {
    return parts ? parts->ChooseSong(mode) : -1;
}

HWND CreateMainWindow(HINSTANCE instance) {
    // The object lives for the program's whole run: the window is destroyed before the loop
    // ends and the object with the program.
    static MainWindow mainWindow;
    return mainWindow.Create(instance) ? mainWindow.hwnd : nullptr;
}
