// The seek bar: the played part of the song, dragging to a new position, and press-and-hold
// scanning with Shift+left or Shift+right.
#include "ui/SeekBar_win.h"

#include <windowsx.h>

#include "play/PlayMode.h"
#include "ui/PanelLayout.h"
#include "ui/PanelSkin_win.h"

namespace {

constexpr UINT kScanPollMs = 50;

bool KeyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

SeekBar::SeekBar(ControlOwner& owner, int controlId) : owner(owner), controlId(controlId) {
    Create(owner.ParentWindow(), controlId);
}

SeekBar::~SeekBar() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

std::int32_t SeekBar::TrackWidth() const {
    RECT client;
    GetClientRect(hwnd, &client);
    return SeekTrackWidth(client.right - client.left);
}

void SeekBar::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    const std::int32_t width = SeekTrackWidth(client.right);
    if (!dragging) {
        PlayMode* mode = owner.CurrentMode();
        knobX = mode ? SeekKnobForPosition(width, mode->GetSongPosition(), mode->GetSongLength()) : 0;
    }
    const RECT played = {3, 1, 3 + knobX, client.bottom - 1};
    const RECT rest = {3 + knobX, 1, 3 + width, client.bottom - 1};
    if (played.left < played.right && played.top < played.bottom) {
        FillRect(dc, &played, static_cast<HBRUSH>(owner.Skin().cyanBrush.Get()));
    }
    if (rest.left < rest.right && rest.top < rest.bottom) {
        FillRect(dc, &rest, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (GetFocus() == hwnd) {
        DrawFocusRect(dc, &client);
    }
}

void SeekBar::EndDrag() {
    if (dragging) {
        dragging = 0;
        ReleaseCapture();
    }
}

void SeekBar::EndScan() {
    if (scanTimer) {
        KillTimer(hwnd, scanTimer);
        scanTimer = 0;
    }
    if (scanning) {
        scanning = 0;
        if (PlayMode* mode = owner.CurrentMode()) {
            mode->Scan(0);
        }
    }
}

void SeekBar::OnButtonDown(int x) {
    SetFocus(hwnd);
    EndDrag();
    PlayMode* mode = owner.CurrentMode();
    const std::int32_t width = TrackWidth();
    // Nothing open, or a bar too small to have a track: the click only takes the focus.
    if (!mode || mode->GetSongLength() == 0 || width <= 0) {
        return;
    }
    knobX = SeekKnobForPointer(width, x);
    dragging = 1;
    Repaint();
    SetCapture(hwnd);
}

void SeekBar::OnButtonUp(int x) {
    ReleaseCapture();
    dragging = 0;
    const std::int32_t width = TrackWidth();
    knobX = SeekKnobForPointer(width, x);
    if (PlayMode* mode = owner.CurrentMode(); mode && width > 0) {
        mode->SeekTo(SeekTargetMs(mode->GetSongLength(), knobX, width));
    }
    Repaint();
}

void SeekBar::OnKeyDown(WPARAM key) {
    const bool shift = KeyHeld(VK_SHIFT);
    switch (key) {
        case VK_TAB:
            owner.MoveFocus(controlId, shift ? -1 : 1);
            break;
        case VK_UP:
            owner.MoveFocus(controlId, -1);
            break;
        case VK_DOWN:
            owner.MoveFocus(controlId, 1);
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (!shift) {
                owner.MoveFocus(controlId, key == VK_LEFT ? -1 : 1);
            }
            break;
    }
    if (scanning || !shift || (key != VK_LEFT && key != VK_RIGHT)) {
        return;
    }
    PlayMode* mode = owner.CurrentMode();
    if (!mode) {
        return;
    }
    scanTimer = SetTimer(hwnd, reinterpret_cast<UINT_PTR>(this), kScanPollMs, nullptr);
    if (scanTimer) {
        mode->Scan(key == VK_LEFT ? -1 : 1);
        scanning = 1;
        scanKey = key;
    }
}

void SeekBar::OnTimer() {
    Repaint();
    if (scanning && (!KeyHeld(static_cast<int>(scanKey)) || !KeyHeld(VK_SHIFT))) {
        EndScan();
    }
}

LRESULT SeekBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaintMessage(message, wParam)) {
        return 0;
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(GET_X_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (dragging) {
                knobX = SeekKnobForPointer(TrackWidth(), GET_X_LPARAM(lParam));
                Repaint();
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragging) {
                OnButtonUp(GET_X_LPARAM(lParam));
            }
            return 0;
        case WM_RBUTTONDOWN:
            SetFocus(hwnd);
            EndDrag();  // cancelled: no seek
            Repaint();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_TIMER:
            OnTimer();
            return 0;
        case WM_KILLFOCUS:
            EndDrag();
            EndScan();
            Repaint();
            return 0;
        case WM_SETFOCUS:
            Repaint();
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
