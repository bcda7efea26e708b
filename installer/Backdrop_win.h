// The installer's full-screen blue backdrop "Melodrix Installer": it runs the start-up steps and
// the wizard, and its destruction ends the program.
#pragma once

#include "installer/WizardPages_win.h"
#include "ui/framework/Window_win.h"

class BackdropWindow : public Window {
public:
    BackdropWindow() = default;
    ~BackdropWindow() override;

    static bool Register(HINSTANCE instance);
    // Creates the window over the desktop's whole client area.
    bool Create(HINSTANCE instance);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the title with its shadow and the version line; also used by WM_PRINTCLIENT.
    void Paint(HDC dc, const RECT& client) const;

private:
    void OnCreate();
    void RunWizard();
    void OnPaint();

    WizardContext context;
};
