// Root of the controls of the player's own window class "Melodrix Ctrl": child windows that
// paint themselves through Paint, for WM_PAINT and WM_PRINTCLIENT alike.
#pragma once

#include <windows.h>

#include "ui/framework/Window_win.h"

constexpr char kControlClassName[] = "Melodrix Ctrl";

// Registers the class once at start-up; false when the system refuses.
bool RegisterControlClass(HINSTANCE instance);

class CustomControl : public Window {
public:
    virtual void Paint(HDC dc) = 0;

protected:
    // Creates the window as a visible child of parent with the control id, at size 0: the
    // parent's layout places it.
    void Create(HWND parent, int controlId);
    // Invalidates without erasing and paints at once.
    void Repaint();
    // WM_PAINT and WM_PRINTCLIENT through Paint; false for every other message.
    bool HandlePaintMessage(UINT message, WPARAM wParam);
};
