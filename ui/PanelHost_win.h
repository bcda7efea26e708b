// The seams between the panel, its controls and the main window that holds them.
#pragma once

#include <windows.h>

class PlayMode;
struct PanelSkin;

// What the panel needs of the main window: its handle (the parent of every control) and the
// play mode that receives commands.
class PanelHost {
public:
    virtual HWND ParentWindow() = 0;
    // Null while no mode exists yet; the panel then shows an empty player.
    virtual PlayMode* CurrentMode() = 0;

protected:
    ~PanelHost() = default;
};

// What every control of the panel uses: the main window, the current play mode, the keyboard
// focus walk (a control id and -1 or +1) and the shared skin.
class ControlOwner : public PanelHost {
public:
    virtual void MoveFocus(int controlId, int direction) = 0;
    virtual const PanelSkin& Skin() = 0;

protected:
    ~ControlOwner() = default;
};

// Tab, Shift+Tab and the arrows move the keyboard focus through the panel; other keys do nothing.
inline void MoveFocusForKey(ControlOwner& owner, int controlId, WPARAM key, bool shiftHeld) {
    switch (key) {
        case VK_TAB:
            owner.MoveFocus(controlId, shiftHeld ? -1 : 1);
            break;
        case VK_LEFT:
        case VK_UP:
            owner.MoveFocus(controlId, -1);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            owner.MoveFocus(controlId, 1);
            break;
        default:
            break;
    }
}
