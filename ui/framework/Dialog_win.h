// Root of every modal dialog object and the operation that runs one. Dialog objects are plain
// locals of the handler that shows them; the binding lives as long as the dialog window.
#pragma once

#include <windows.h>

class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // What a dialog procedure returns: nonzero when handled (for WM_INITDIALOG, nonzero lets
    // the system set the default focus).
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Set at WM_INITDIALOG, never cleared.
    HWND hwnd = nullptr;

protected:
    ~Dialog() = default;

    HWND Item(int controlId) const { return GetDlgItem(hwnd, controlId); }
    LRESULT SendItem(int controlId, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageA(hwnd, controlId, message, wParam, lParam);
    }
    void End(INT_PTR result) const { EndDialog(hwnd, result); }
};

// The dialog procedure of every Dialog; the object lives in DWLP_USER.
INT_PTR CALLBACK ObjectDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog template with the given resource id from the program's module, modal to
// owner (may be 0). Answers the value given to EndDialog, or -1 when the dialog fails to start.
INT_PTR RunModal(Dialog& dialog, HWND owner, int templateId);
