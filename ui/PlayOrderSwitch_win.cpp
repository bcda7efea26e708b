// The play-order switch: shows the current order and steps through the four orders on a click
// (backwards on a right click or with Shift).
#include "ui/PlayOrderSwitch_win.h"

#include "play/PlayMode.h"
#include "support/MxLib.h"
#include "ui/PanelLayout.h"
#include "ui/PanelSkin_win.h"

PlayOrderSwitch::PlayOrderSwitch(ControlOwner& owner, int controlId)
    : owner(owner), controlId(controlId), bitmap(LoadSkinBitmap(IDB_PLAY_ORDERS)) {
    Create(owner.ParentWindow(), controlId);
}

PlayOrderSwitch::~PlayOrderSwitch() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

void PlayOrderSwitch::Paint(HDC dc) {
    PlayMode* mode = owner.CurrentMode();
    const int order = mode ? mode->GetPlayMode() : 0;
    DrawBitmapEx(dc, AsBitmap(bitmap), 0, 0, 32, 12, order * 32, 0);
    if (GetFocus() == hwnd) {
        RECT client;
        GetClientRect(hwnd, &client);
        DrawFocusRect(dc, &client);
    }
}

void PlayOrderSwitch::Step(int direction) {
    if (PlayMode* mode = owner.CurrentMode()) {
        const int order = mode->GetPlayMode();
        mode->SetPlayMode(direction < 0 ? PreviousPlayOrder(order) : NextPlayOrder(order));
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT PlayOrderSwitch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaintMessage(message, wParam)) {
        return 0;
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            Step(1);
            return 0;
        case WM_RBUTTONDOWN:
            SetFocus(hwnd);
            Step(-1);
            return 0;
        case WM_KEYDOWN: {
            const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                Step(shift ? -1 : 1);
            } else {
                MoveFocusForKey(owner, controlId, wParam, shift);
            }
            break;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Repaint();
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
