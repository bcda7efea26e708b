// Modal dialogs bound to their objects.
#include "ui/framework/Dialog_win.h"

#include "ui/framework/CallbackGuard_win.h"
#include "ui/framework/ProgramInstance_win.h"

INT_PTR CALLBACK ObjectDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback(
        [&]() -> INT_PTR {
            auto* object = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
            if (message == WM_INITDIALOG) {
                object = reinterpret_cast<Dialog*>(lParam);
                if (object) {
                    object->hwnd = hwnd;
                }
                SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
            }
            // Messages before WM_INITDIALOG (WM_SETFONT and the like) get the system's handling.
            return object ? object->HandleMessage(message, wParam, lParam) : FALSE;
        },
        [] { return INT_PTR{FALSE}; });
}

INT_PTR RunModal(Dialog& dialog, HWND owner, int templateId) {
    return DialogBoxParamA(gInstance, MAKEINTRESOURCEA(templateId), owner, &ObjectDialogProc,
                           reinterpret_cast<LPARAM>(&dialog));
}
