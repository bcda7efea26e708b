// Registration of the player's window classes, in the order the main window, the panel's
// controls and the two companion windows need them.
#include <windows.h>

#include "app/AppNames.h"
#include "app/MainWindow_win.h"
#include "ui/CustomControl_win.h"
#include "wrd/TextViewer_win.h"
#include "wrd/Virtual98Screen_win.h"

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &ObjectWindowProc;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    const bool registered = RegisterClassA(&windowClass) != 0;
    RegisterControlClass(instance);
    RegisterTextViewerClass(instance);
    RegisterVirtual98ScreenClass(instance);
    return registered;
}
