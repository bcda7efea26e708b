// The owner-drawn button family's creation, subclassing, focus keys and default painting.
#include "ui/ButtonControl_win.h"

#include "app/containers/DeviceContext_win.h"
#include "ui/framework/ProgramInstance_win.h"

bool IsShiftHeld() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

ButtonControl::ButtonControl(ControlOwner& owner, int controlId) : owner(owner), controlId(controlId) {
    HWND control =
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0, owner.ParentWindow(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), gInstance, nullptr);
    if (control) {
        previousProc = SubclassControl(control, this);
    }
}

ButtonControl::~ButtonControl() {
    if (hwnd) {
        HWND control = hwnd;
        hwnd = nullptr;
        UnsubclassControl(control, previousProc);
        DestroyWindow(control);
    }
}

LRESULT ButtonControl::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = hwnd;
    if (message == WM_NCDESTROY) {
        // The control is going away with its parent; the object must not touch it later.
        hwnd = nullptr;
    }
    if (!previousProc) {
        return DefWindowProcA(control, message, wParam, lParam);
    }
    return CallWindowProcA(previousProc, control, message, wParam, lParam);
}

void ButtonControl::MoveFocusForKey(WPARAM key) {
    ::MoveFocusForKey(owner, controlId, key, IsShiftHeld());
}

LRESULT ButtonControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        MoveFocusForKey(wParam);
    }
    return CallPrevious(message, wParam, lParam);
}

void ButtonControl::Draw(const DRAWITEMSTRUCT& item) {
    FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

void ButtonControl::Redraw() {
    if (!hwnd) {
        return;
    }
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(controlId);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED) | (GetFocus() == hwnd ? ODS_FOCUS : 0);
    item.hwndItem = hwnd;
    const WindowDc dc(hwnd);
    if (!dc) {
        return;
    }
    item.hDC = dc.Get();
    GetClientRect(hwnd, &item.rcItem);
    Draw(item);
}
