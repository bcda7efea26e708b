// The main window's play modes and panel, and the glue between them.
#include "app/MainWindowParts_win.h"

#include "app/MainWindow_win.h"
#include "app/Settings.h"
#include "editors/SmallPickers_win.h"
#include "play/CdPlayMode.h"
#include "play/FileModeParts_win.h"
#include "play/FilePlayMode.h"
#include "ui/Panel_win.h"

MainWindowParts::MainWindowParts(class MainWindow& owner) : window(owner) {
    fileMode = std::make_unique<FilePlayMode>(window, std::make_unique<SystemFileModeParts>(window.hwnd),
                                              FileHistory);
    cdMode = std::make_unique<CdPlayMode>(window);
    HWND mainWindow = window.hwnd;
    cdMode->ChooseCdDrive = [mainWindow](CdPlayMode& mode) {
        char drive[8] = {};
        const char* current = mode.DriveLetter();
        for (std::size_t i = 0; current[i] != '\0' && i + 1 < sizeof drive; ++i) {
            drive[i] = current[i];
        }
        if (!::ChooseCdDrive(mainWindow, drive, sizeof drive)) {
            return 0;
        }
        mode.SetDriveLetter(drive);
        return 1;
    };
}

MainWindowParts::~MainWindowParts() {
    DestroyModes();
    DestroyPanel();
}

PlayMode* MainWindowParts::FilePlayModeBase() const {
    return fileMode.get();
}

PlayMode* MainWindowParts::CdMode() const {
    return cdMode.get();
}

HWND MainWindowParts::MainWindow() {
    return window.hwnd;
}

PlayMode* MainWindowParts::CurrentMode() {
    return window.CurrentMode();
}

void MainWindowParts::CreatePanel() {
    panel = std::make_unique<Panel>(*this);
}

void MainWindowParts::DestroyPanel() {
    panel.reset();
}

void MainWindowParts::DestroyModes() {
    fileMode.reset();
    cdMode.reset();
}

void MainWindowParts::LayoutPanel(int width, int height, int form) {
    if (panel) {
        panel->Layout(form, width, height);
    }
}

bool MainWindowParts::HandlePanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!panel) {
        return false;
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window.hwnd, &paint);
            panel->PaintBackground(dc);
            EndPaint(window.hwnd, &paint);
            panel->UpdateTexts();
            panel->UpdateButtons();
            panel->UpdateTime(true);
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT:
            panel->PaintBackground(reinterpret_cast<HDC>(wParam));
            result = 0;
            return true;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            result = panel->RouteDrawItem(static_cast<int>(wParam), item);
            return true;
        }
        default:
            return false;
    }
}

void MainWindowParts::EnableModeButtons(int currentMode) {
    if (!panel) {
        return;
    }
    EnableWindow(panel->ControlWindow(kFileModeButton), currentMode != 1);
    EnableWindow(panel->ControlWindow(kCdModeButton), currentMode == 1);
}

void MainWindowParts::FocusControl(int id) {
    if (panel) {
        if (HWND control = panel->ControlWindow(id)) {
            SetFocus(control);
        }
    }
}

bool MainWindowParts::ControlEnabled(int id) const {
    if (!panel) {
        return false;
    }
    HWND control = panel->ControlWindow(id);
    return control != nullptr && IsWindowEnabled(control);
}

void MainWindowParts::UpdateButtons() {
    if (panel) {
        panel->UpdateButtons();
    }
}

void MainWindowParts::UpdateTexts() {
    if (panel) {
        panel->UpdateTexts();
    }
}

void MainWindowParts::UpdateTime(bool forceTitle) {
    if (panel) {
        panel->UpdateTime(forceTitle);
    }
}

void MainWindowParts::RefreshPanel() {
    if (panel) {
        panel->RefreshAll();
    }
}

void MainWindowParts::ChooseTitleFont() {
    if (panel) {
        panel->ChooseTitleFont();
    }
}

int MainWindowParts::ChooseSong(PlayMode& mode) {
    return ::ChooseSong(window.hwnd, mode);
}

void MainWindowParts::DropFiles(const StringList& paths) {
    if (fileMode) {
        fileMode->DropFiles(paths);
    }
}
