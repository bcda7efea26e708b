// Entry of install.exe: the backdrop window, which runs the wizard, and the message loop that
// ends when the backdrop is destroyed.
#include <windows.h>

#include <commctrl.h>

#include "installer/Backdrop_win.h"
#include "ui/framework/ProgramInstance_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    gInstance = instance;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!BackdropWindow::Register(instance)) {
        return 1;
    }
    BackdropWindow backdrop;
    if (!backdrop.Create(instance)) {
        return 1;
    }
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
