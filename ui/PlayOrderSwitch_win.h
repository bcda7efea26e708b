// The panel's play-order switch: shows the current order and steps through the four orders.
#pragma once

#include <windows.h>

#include "app/containers/UniqueHandle_win.h"
#include "ui/PanelHost_win.h"
#include "ui/framework/CustomControl_win.h"

class PlayOrderSwitch : public CustomControl {
public:
    PlayOrderSwitch(ControlOwner& owner, int controlId);
    ~PlayOrderSwitch() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    void Step(int direction);

    ControlOwner& owner;
    int controlId;
    UniqueGdiObject bitmap;
};
