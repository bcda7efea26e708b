// The text viewer's window: a read-only edit control filling the client area, white like a
// page, and the window rectangle kept in the settings on every move and resize.
#include "wrd/TextViewer_win.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/Settings.h"
#include "app/containers/FileSystem.h"
#include "resources/ImageIds.h"
#include "ui/framework/ProgramInstance_win.h"
#include "wrd/WindowPlacement.h"

namespace {

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                             ES_AUTOHSCROLL | ES_NOHIDESEL | ES_READONLY;

// A companion text larger than this is not shown: an edit control is no place for it.
constexpr std::size_t kMaxTextBytes = 16 * 1024 * 1024;

// The whole file with a terminating 0; just the terminator when it cannot be read (the viewer
// then shows nothing rather than a part of the file).
std::vector<char> ReadWholeFile(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!ActiveFileSystem().ReadFile(path, bytes, kMaxTextBytes)) {
        bytes.clear();
    }
    std::vector<char> text(bytes.begin(), bytes.end());
    text.push_back('\0');
    return text;
}

}  // namespace

void RegisterTextViewerClass(HINSTANCE instance) {
    RegisterObjectWindowClass(instance, kTextViewerClass, IDI_TEXT_VIEWER, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TextViewer::TextViewer(HWND owner, const char* path) : owner(owner) {
    std::snprintf(this->path, sizeof this->path, "%s", path ? path : "");
    HWND focus = GetFocus();
    Settings::Player& saved = gSettings.player;
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    // Only the caption has to be on the desktop for the user to grab the window.
    if (!ReachesDesktop(saved.Text_x, saved.Text_y, saved.Text_Width, GetSystemMetrics(SM_CYCAPTION),
                        DesktopArea{desktop.left, desktop.top, desktop.right, desktop.bottom})) {
        saved.Text_x = saved.Text_y = saved.Text_Width = saved.Text_Height = CW_USEDEFAULT;
    }
    CreateWindowExA(0, kTextViewerClass, this->path, WS_OVERLAPPEDWINDOW, saved.Text_x, saved.Text_y, saved.Text_Width,
                    saved.Text_Height, nullptr, nullptr, gInstance, this);
    if (hwnd) {
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        if (focus) {
            SetFocus(focus);
        }
    }
}

TextViewer::~TextViewer() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

LRESULT TextViewer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SIZE:
            OnSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_MOVE:
            OnMove();
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(wParam));
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_APPCOMMAND:
            // Media keys pressed while this window has the focus act on the player.
            if (owner) {
                return SendMessageA(owner, WM_APPCOMMAND, wParam, lParam);
            }
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool TextViewer::OnCreate() {
    edit = CreateWindowExA(0, "EDIT", "", kEditStyle, 0, 0, 0, 0, hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextViewerEditId)), gInstance, nullptr);
    if (!edit) {
        return false;
    }
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FIXED_FONT)), FALSE);
    ShowWindow(edit, SW_SHOW);
    const std::vector<char> text = ReadWholeFile(path);
    SetWindowTextA(edit, text.data());
    return true;
}

void TextViewer::OnSize(int clientWidth, int clientHeight) {
    if (edit) {
        MoveWindow(edit, 0, 0, clientWidth, clientHeight, TRUE);
    }
    OnMove();
}

void TextViewer::OnMove() {
    // A minimized or maximized rectangle is not the one to come back to.
    if (IsIconic(hwnd) || IsZoomed(hwnd)) {
        return;
    }
    RECT rectangle;
    GetWindowRect(hwnd, &rectangle);
    Settings::Player& saved = gSettings.player;
    saved.Text_x = rectangle.left;
    saved.Text_y = rectangle.top;
    saved.Text_Width = rectangle.right - rectangle.left;
    saved.Text_Height = rectangle.bottom - rectangle.top;
}

LRESULT TextViewer::OnControlColour(HDC dc) {
    // Black on white even though the edit is read-only (which the system would draw grey).
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void TextViewer::OnDestroy() {
    if (edit) {
        DestroyWindow(edit);
        edit = nullptr;
    }
}

// The window is gone and the object unbound, so the owner may close or delete the viewer in
// its reaction.
void TextViewer::OnDestroyed() {
    if (owner) {
        SendMessageA(owner, WM_TEXTVIEWER_CLOSED, 0, 0);
    }
}
