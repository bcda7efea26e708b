// The window framework: every window, subclassed control and dialog of the player is an object
// that owns its handle, and every message of that window reaches the object's HandleMessage.
// Nothing here knows the panel or the play modes; every window of the program builds on it.
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

protected:
    // Called once the window is gone (after WM_NCDESTROY, with hwnd already 0 and the object
    // unbound), so that an owner told of it here may delete the object at once: the framework
    // does not touch the object after this call.
    virtual void OnDestroyed() {}

private:
    friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
};

// Window procedure of every class of the player's own. Such classes are registered with 4 extra
// window bytes; creators pass the object as the creation parameter of CreateWindowExA. The
// object is bound at WM_NCCREATE and released at WM_NCDESTROY, so it sees every message of its
// window but WM_GETMINMAXINFO, which the system sends before WM_NCCREATE.
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
// Gives a subclassed control its previous procedure back and unbinds the object.
void UnsubclassControl(HWND control, WNDPROC previous);
