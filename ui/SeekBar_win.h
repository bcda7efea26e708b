// The panel's seek bar: the played part of the song, dragging to a new position, and
// press-and-hold scanning with Shift+left or Shift+right.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/PanelHost_win.h"
#include "ui/framework/CustomControl_win.h"

class SeekBar : public CustomControl {
public:
    SeekBar(ControlOwner& owner, int controlId);
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
