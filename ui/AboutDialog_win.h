// The about box: only its OK button closes it.
#pragma once

#include <windows.h>

#include "ui/framework/Dialog_win.h"

class AboutDialog : public Dialog {
public:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

void ShowAbout(HWND owner);
