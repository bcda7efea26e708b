// Start-up's message boxes, shown with no owner window.
#pragma once

#include "app/StartupUi.h"

class Win32StartupUi : public StartupUi {
public:
    void ShowCommandLineWarning(const std::string& text) override;
    KillFailureChoice AskKillFailed() override;
};
