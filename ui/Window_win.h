// The window framework: every window, subclassed control and dialog of the player is an object
// that owns its handle, and every message of that window reaches the object's HandleMessage.
#pragma once

#include <windows.h>

// Root of every window object. A concrete class destroys its window in its own destructor so
// that WM_DESTROY still reaches the concrete HandleMessage; by the time this destructor runs
// hwnd is normally 0 already.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual ~Window();

    HWND hwnd = nullptr;
};

// Window procedure of every class of the player's own. Such classes are registered with 4 extra
// window bytes; creators pass the object as the creation parameter of CreateWindowExA.
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers a window class of the player's own: redrawn on resizing, the shared window procedure,
// room for the object's pointer, the arrow cursor. iconId 0 means no icon. False on failure.
bool RegisterObjectWindowClass(HINSTANCE instance, const char* className, int iconId, HBRUSH background);

// Window procedure that replaces a subclassed system control's own; the object (kept in
// GWLP_USERDATA) passes messages on to the control's previous procedure itself.
LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Binds a subclassed control to its object: stores the object and installs SubclassWindowProc.
// Answers the control's previous window procedure.
WNDPROC SubclassControl(HWND control, Window* object);
