// Registration of the player's window classes, in the order the main window, the panel's
// controls and the two companion windows need them.
#include <windows.h>

#include "app/AppNames.h"
#include "app/MainWindow_win.h"
#include "resources/ImageIds.h"
#include "ui/framework/CustomControl_win.h"
#include "wrd/TextViewer_win.h"
#include "wrd/Virtual98Screen_win.h"

bool RegisterMainWindowClass(HINSTANCE instance) {
    const bool registered =
        RegisterObjectWindowClass(instance, kMainWindowClass, IDI_PLAYER, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    RegisterControlClass(instance);
    RegisterTextViewerClass(instance);
    RegisterVirtual98ScreenClass(instance);
    return registered;
}
