// The owner-drawn button family: subclassed system "button" controls of the panel that hand
// keyboard focus moves to the panel and paint themselves through Draw.
#pragma once

#include <windows.h>

#include "ui/PanelHost_win.h"
#include "ui/framework/Window_win.h"

class ButtonControl : public Window {
public:
    ButtonControl(ControlOwner& owner, int controlId);
    ~ButtonControl() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Frames the item with black and draws the focus rectangle when it has the focus.
    virtual void Draw(const DRAWITEMSTRUCT& item);
    // Paints at once outside WM_PAINT through Draw.
    virtual void Redraw();

protected:
    // Tab, Shift+Tab and the arrows move the focus through the panel.
    void MoveFocusForKey(WPARAM key);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    int ControlId() const { return controlId; }

    ControlOwner& owner;

private:
    WNDPROC previousProc = nullptr;
    int controlId;
};

bool IsShiftHeld();
