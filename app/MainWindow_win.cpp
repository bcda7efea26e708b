// The main window: creation, the start-state text, position tracking and the end of the loop.
#include "app/MainWindow_win.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/AppNames.h"
#include "app/Settings.h"
#include "app/StartOptions.h"

namespace {

constexpr int kOuterWidth = 412;
constexpr int kOuterHeight = 100;

int32_t currentMode = 1;

// A saved position is used only when the window would still be reachable on the desktop.
bool SavedPositionIsUsable() {
    const int32_t x = gSettings.player.Player_x;
    const int32_t y = gSettings.player.Player_y;
    if (x == kNoPosition || y == kNoPosition) {
        return false;
    }
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return x > left - kOuterWidth + 32 && x < right - 32 && y >= top && y < bottom - 16;
}

std::string DescribeStartState() {
    char line[600];
    std::string text;
    std::snprintf(line, sizeof line, "%s  演奏開始:%s  単一起動:%s\r\n",
                  currentMode == 2 ? "CD演奏モード" : "ファイル演奏モード",
                  gStartOptions.playAtStart ? "する" : "しない", gStartOptions.singleInstance ? "する" : "しない");
    text += line;
    std::snprintf(line, sizeof line, "曲 %d / 開始 %d  CDドライブ %s\r\n", static_cast<int>(FileHistory.Count()),
                  static_cast<int>(gSettings.file.LastSong), gSettings.cd.LastDrive[0] ? gSettings.cd.LastDrive : "-");
    text += line;
    if (FileHistory.Count() > 0) {
        char first[512];
        FileHistory.GetString(0, first, sizeof first);
        text += first;
    }
    return text;
}

void OnCreate(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HWND text = CreateWindowExA(0, "STATIC", DescribeStartState().c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                4, 2, client.right - 8, client.bottom - 4, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStartStateTextId)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void OnMove(HWND window) {
    if (IsIconic(window)) {
        return;
    }
    RECT frame;
    GetWindowRect(window, &frame);
    gSettings.player.Player_x = frame.left;
    gSettings.player.Player_y = frame.top;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_CREATE:
                OnCreate(window);
                return 0;
            case WM_MOVE:
                OnMove(window);
                return 0;
            case WM_DESTROY:
                gSettings.player.LastMode = currentMode;
                PostQuitMessage(0);
                return 0;
        }
    } catch (...) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbWndExtra = 4;  // the window object's pointer
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
    currentMode = ResolveStartMode(gStartOptions);
    const bool placed = SavedPositionIsUsable();
    return CreateWindowExA(WS_EX_APPWINDOW, kMainWindowClass, kMainWindowCaption,
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                           placed ? gSettings.player.Player_x : CW_USEDEFAULT,
                           placed ? gSettings.player.Player_y : CW_USEDEFAULT, kOuterWidth, kOuterHeight, nullptr,
                           nullptr, instance, nullptr);
}
