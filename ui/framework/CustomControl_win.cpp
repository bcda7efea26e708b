// The control class "Melodrix Ctrl" and the painting common to its controls.
#include "ui/framework/CustomControl_win.h"

#include "app/containers/DeviceContext_win.h"
#include "ui/framework/ProgramInstance_win.h"

bool RegisterControlClass(HINSTANCE instance) {
    return RegisterObjectWindowClass(instance, kControlClassName, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void CustomControl::Create(HWND parent, int controlId) {
    CreateWindowExA(0, kControlClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), gInstance, this);
}

bool CustomControl::HandlePaintMessage(UINT message, WPARAM wParam) {
    if (message == WM_PAINT) {
        const PaintDc dc(hwnd);
        Paint(dc.Get());
        return true;
    }
    if (message == WM_PRINTCLIENT) {
        Paint(reinterpret_cast<HDC>(wParam));
        return true;
    }
    return false;
}

void CustomControl::Repaint() {
    if (hwnd) {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
}
