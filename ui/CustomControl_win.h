// The panel's controls of the player's own window class "Melodrix Ctrl": the seek bar and the
// play-order switch.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/containers/UniqueHandle_win.h"
#include "ui/PanelHost_win.h"
#include "ui/Window_win.h"

constexpr char kControlClassName[] = "Melodrix Ctrl";

// Registers the class once at start-up; false when the system refuses.
bool RegisterControlClass(HINSTANCE instance);

// Root of the controls of class "Melodrix Ctrl": creates the window as a child of the main
// window with the control id, to be placed by the panel's layout.
class CustomControl : public Window {
public:
    virtual void Paint(HDC dc) = 0;

protected:
    void Create(HWND parent, int controlId);
    // Invalidates without erasing and paints at once.
    void Repaint();
    // WM_PAINT and WM_PRINTCLIENT through Paint; false for every other message.
    bool HandlePaintMessage(UINT message, WPARAM wParam);
};

class SeekBar : public CustomControl {
public:
    explicit SeekBar(ControlOwner& owner, int controlId = 17);
    ~SeekBar() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    std::int32_t TrackWidth() const;
    void OnButtonDown(int x);
    void OnButtonUp(int x);
    void OnKeyDown(WPARAM key);
    void OnTimer();
    void EndDrag();
    void EndScan();

    ControlOwner& owner;
    int controlId;
    UINT_PTR scanTimer = 0;
    WPARAM scanKey = 0;
    std::int32_t scanning = 0;
    std::int32_t dragging = 0;
    std::int32_t knobX = 0;
};

class PlayOrderSwitch : public CustomControl {
public:
    explicit PlayOrderSwitch(ControlOwner& owner, int controlId = 20);
    ~PlayOrderSwitch() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    void Step(int direction);

    ControlOwner& owner;
    int controlId;
    UniqueGdiObject bitmap;
};
