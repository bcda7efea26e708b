// The main window's frame: creation in both forms, the system menu, the flat strip's sizing
// rules, dragging by the panel and the position kept in the settings.
#include <windows.h>

#include "app/AppNames.h"
#include "app/MainWindowRules.h"
#include "app/MainWindow_win.h"
#include "app/Settings.h"
#include "ui/Panel_win.h"

namespace {

constexpr DWORD kNormalStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFlatStyle = kNormalStyle | WS_THICKFRAME;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW;
// Dropped files are accepted from creation on (the style the shell's drag-accept call sets).
constexpr DWORD kCreationExtendedStyle = kExtendedStyle | WS_EX_ACCEPTFILES;

ScreenRect DesktopRect() {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    return ScreenRect{desktop.left, desktop.top, desktop.right, desktop.bottom};
}

}  // namespace

int MainWindow::FlatOuterHeight() const {
    RECT frame{0, 0, kFlatClientWidth, kFlatClientHeight};
    AdjustWindowRectEx(&frame, kFlatStyle, FALSE, kExtendedStyle);
    return frame.bottom - frame.top;
}

bool MainWindow::Create(HINSTANCE instance) {
    form = FormFromSetting(gSettings.player.Form);
    gSettings.player.Form = form;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (SavedPositionIsUsable(gSettings.player.Player_x, gSettings.player.Player_y, DesktopRect())) {
        x = gSettings.player.Player_x;
        y = gSettings.player.Player_y;
    }
    gSettings.player.FlatWidth = CorrectFlatWidth(gSettings.player.FlatWidth);
    int width = kNormalOuterWidth;
    int height = kNormalOuterHeight;
    DWORD style = kNormalStyle;
    if (form == kFlatForm) {
        style = kFlatStyle;
        flatHeight = FlatOuterHeight();
        width = gSettings.player.FlatWidth;
        height = flatHeight;
    }
    // The window is shown by the caller once the panel is built and laid out: creating and
    // moving two dozen controls in a window that is not on screen yet costs no redrawing.
    CreateWindowExA(kCreationExtendedStyle, kMainWindowClass, kMainWindowCaption, style & ~WS_VISIBLE, x, y, width,
                    height, nullptr, nullptr, instance, this);
    return hwnd != nullptr;
}

void MainWindow::ExtendSystemMenu() {
    systemMenu = GetSystemMenu(hwnd, FALSE);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    for (const SystemMenuItem& item : kSystemMenuItems) {
        if (item.id == 0) {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(systemMenu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
        }
    }
}

void MainWindow::UpdateSystemMenuForSize(bool minimized) {
    auto enable = [this](UINT item, bool on) {
        EnableMenuItem(systemMenu, item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, minimized);
    enable(SC_MOVE, !minimized);
    enable(SC_MINIMIZE, !minimized);
    enable(SC_SIZE, !minimized && form == kFlatForm);
}

void MainWindow::OnMove() {
    if (IsIconic(hwnd)) {
        return;
    }
    RECT frame;
    GetWindowRect(hwnd, &frame);
    gSettings.player.Player_x = frame.left;
    gSettings.player.Player_y = frame.top;
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
    if (form == kNormalForm) {
        info.ptMinTrackSize = POINT{kNormalOuterWidth, kNormalOuterHeight};
        info.ptMaxTrackSize = POINT{kNormalOuterWidth, kNormalOuterHeight};
    } else {
        info.ptMinTrackSize.x = kFlatClientWidth;
        info.ptMinTrackSize.y = flatHeight;
        info.ptMaxTrackSize.y = flatHeight;
    }
}

LRESULT MainWindow::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = DefWindowProcA(hwnd, WM_NCHITTEST, wParam, lParam);
    return form == kFlatForm ? MapFlatHitTest(static_cast<int>(hit)) : hit;
}

void MainWindow::ToggleForm() {
    if (form == kFlatForm) {
        CheckMenuItem(systemMenu, IDM_FLAT, MF_BYCOMMAND | MF_UNCHECKED);
        SetWindowLongPtrA(hwnd, GWL_STYLE, kNormalStyle);
        form = kNormalForm;
        SetWindowPos(hwnd, nullptr, 0, 0, kNormalOuterWidth, kNormalOuterHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        CheckMenuItem(systemMenu, IDM_FLAT, MF_BYCOMMAND | MF_CHECKED);
        SetWindowLongPtrA(hwnd, GWL_STYLE, kFlatStyle);
        flatHeight = FlatOuterHeight();
        form = kFlatForm;
        SetWindowPos(hwnd, nullptr, 0, 0, gSettings.player.FlatWidth, flatHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    UpdateSystemMenuForSize(IsIconic(hwnd) != FALSE);
}

void MainWindow::ToggleTopMost() {
    const bool on = (GetMenuState(systemMenu, IDM_TOP_MOST, MF_BYCOMMAND) & MF_CHECKED) == 0;
    CheckMenuItem(systemMenu, IDM_TOP_MOST, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    gSettings.player.TopMost = on ? 1 : 0;
}

void MainWindow::ToggleFixWindow() {
    const bool on = (GetMenuState(systemMenu, IDM_FIX_WINDOW, MF_BYCOMMAND) & MF_CHECKED) == 0;
    CheckMenuItem(systemMenu, IDM_FIX_WINDOW, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    gSettings.player.FixWindow = on ? 1 : 0;
}

void MainWindow::ShowSystemMenuAt(int x, int y) {
    // The pop-up's choices come back as WM_COMMAND without a control and go on as system
    // commands, so the standard window commands work from it too.
    TrackPopupMenu(systemMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, hwnd, nullptr);
}

void MainWindow::ChoosePanelFont() {
    if (panel) {
        panel->ChooseTitleFont();
    }
}
