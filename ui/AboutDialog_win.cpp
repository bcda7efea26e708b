// The about box.
#include "ui/AboutDialog_win.h"

#include "resources/AboutDialog.h"

INT_PTR AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    // Esc and the close box arrive as IDCANCEL and are ignored: only OK closes the box.
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        End(0);
        return TRUE;
    }
    return FALSE;
}

void ShowAbout(HWND owner) {
    AboutDialog dialog;
    RunModal(dialog, owner, IDD_ABOUT);
}
