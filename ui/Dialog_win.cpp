// Modal dialogs bound to their objects.
#include "ui/Dialog_win.h"

#include "ui/ProgramInstance_win.h"

INT_PTR CALLBACK ObjectDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* object = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        if (message == WM_INITDIALOG) {
            object = reinterpret_cast<Dialog*>(lParam);
            if (object) {
                object->hwnd = hwnd;
            }
            SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
        }
        if (object) {
            return object->HandleMessage(message, wParam, lParam);
        }
    } catch (...) {
        // Exceptions cannot pass through the system's frames.
    }
    return 0;
}

INT_PTR RunModal(Dialog& dialog, HWND owner, int templateId) {
    return DialogBoxParamA(gInstance, MAKEINTRESOURCEA(templateId), owner, &ObjectDialogProc,
                           reinterpret_cast<LPARAM>(&dialog));
}

INT_PTR AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(hwnd, 0);
        return 1;
    }
    return 0;
}

void ShowAbout(HWND owner) {
    AboutDialog dialog;
    RunModal(dialog, owner, AboutDialog::kTemplateId);
}
